#include <cstdint>

#include "engine/Judge.h"
#include "engine/KanaSets.h"

namespace kanoby {

// Whether っ before `next` is spelt out (xtu) rather than shown by doubling:
// doubling needs a unit after it whose first letter the judge takes there,
// so not the end, a vowel, the な row, ん, another っ or a character typed as
// itself.
bool Judge::SokuonSpeltOutBefore(std::u16string_view next) const {
    return InVowelNaKana(next) || next[0] == u'ん' || next[0] == u'っ' || UnitOf(next[0]) < 0;
}

// Whether ん before `next` takes two keystrokes. A single n is only enough
// where the judge can tell it from the start of what follows: not where っ
// would be spelt out, and not before や ゆ よ, which the judge would take as
// the start of にゃ and the like.
bool Judge::NeedsDoubleN(std::u16string_view next) const {
    return SokuonSpeltOutBefore(next) || next[0] == u'や' || next[0] == u'ゆ' || next[0] == u'よ';
}
namespace {

// Whether a spelling that begins with `letter` can show a っ before it by
// doubling that letter: the consonants, but not n, x and l.
constexpr bool DoublesAtSokuon(const char16_t letter) {
    constexpr std::uint32_t kLetters = [] {
        std::uint32_t mask = 0;
        for (const char16_t c : std::u16string_view(u"bcdfghjkmpqrstvwyz"))
            mask |= std::uint32_t{1} << (c - u'a');
        return mask;
    }();
    return letter >= u'a' && letter <= u'z' && ((kLetters >> (letter - u'a')) & 1) != 0;
}

// Writes a unit's preferred spelling, doubling its first letter when a っ
// before it is waiting to be shown that way. x and l begin "xtu" and "ltu" at
// the っ, and ",," or "--" is no way anyone types っ before a mark: before
// those the っ is spelt out instead.
void AppendSpelling(std::u16string& guide, const std::u16string& spelling, bool& sokuonWaiting) {
    if (sokuonWaiting) {
        if (DoublesAtSokuon(spelling[0])) {
            guide.append(spelling, 0, 1);
        } else {
            guide += u"xtu";
        }
        sokuonWaiting = false;
    }
    guide += spelling;
}

}  // namespace

void Judge::MakeRomanGuide(const std::u16string& source, std::u16string& guide) {
    guide.clear();
    bool sokuonWaiting = false;  // a っ to be shown by the next spelling
    const std::size_t length = source.size();
    for (std::size_t i = 1; i <= length;) {
        // A two-kana unit wins over its first kana: きゃ is kya, not kixya.
        if (i < length) {
            if (const int row = PairOf(source[i - 1], source[i]); row >= 0) {
                AppendSpelling(guide, tables_.RomajiTable[row][0], sokuonWaiting);
                i += 2;
                continue;
            }
        }
        const int row = UnitOf(source[i - 1]);
        const std::u16string_view next = CharAt(source, i + 1);
        if (row < 0) {
            guide += TypedAs(source[i - 1]);
        } else if (const std::u16string& spelling = tables_.RomajiTable[row][0];
                   spelling == kDoublingMarker) {
            if (SokuonSpeltOutBefore(next)) {
                guide += u"xtu";
            } else {
                sokuonWaiting = true;
            }
        } else if (spelling == kSingleNMarker) {
            guide += NeedsDoubleN(next) ? u"nn" : u"n";
        } else {
            AppendSpelling(guide, spelling, sokuonWaiting);
        }
        i += 1;
    }
}

}  // namespace kanoby
