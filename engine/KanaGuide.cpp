#include "engine/Judge.h"

namespace kanoby {

std::u16string_view Judge::StandInKey(const std::u16string_view kana) {
    if (kana == u"ゎ")
        return u"ﾜ";
    if (kana == u"ヵ")
        return u"ｶ";
    return kana == u"ヶ" ? u"ｹ" : u"";
}

void Judge::MakeKanaGuide(const std::u16string& source, std::u16string& guide) {
    guide.clear();
    for (const char16_t c : source) {
        // Only one-character units take part: きゃ is described as ｷ then ｬ.
        const int row = UnitOf(c);
        if (row >= 0) {
            // The table's own string where there is one: appending through a
            // view made long readings a third slower.
            if (const std::u16string& keys = tables_.HankakuTable[row]; !keys.empty()) {
                guide += keys;
            } else {
                guide += KanaKeys(row);
            }
        } else {
            guide += TypedAs(c);
        }
    }
}

}  // namespace kanoby
