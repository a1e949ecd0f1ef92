#include "judge/Judge.h"
#include "judge/KanaSets.h"

namespace kanoby {

// Whether ん before `next` takes two keystrokes. A single n is only enough
// where the judge can tell it from the start of what follows: not before a
// vowel, the な row, や ゆ よ or the end, and not before another ん, a っ or a
// character that is typed as itself, which the judge would take as the
// second n or reject.
bool Judge::NeedsDoubleN(std::u16string_view next) const {
    return InVowelNaYaKana(next) || next == kKanaN || next == kKanaSokuon || UnitOf(next[0]) < 0;
}

// Whether っ at the position before `after` (1-based) is shown as "xtu"
// rather than by doubling. Doubling only works when a unit follows whose
// first letter the judge takes at the っ: not before the end, a vowel, the な
// row, ん, another っ or a character typed as itself, and not before a unit
// spelt with x or l (small kana, ゎ, ヵ, ヶ), whose first letter starts
// "xtu" or "ltu" instead.
bool Judge::MustSpellSokuon(const std::u16string& source, std::size_t after) const {
    const std::u16string_view next = CharAt(source, after);
    if (InVowelNaKana(next) || next == kKanaN || next == kKanaSokuon)
        return true;
    int row = after < source.size() ? PairOf(source[after - 1], source[after]) : -1;
    if (row < 0)
        row = UnitOf(next[0]);
    if (row < 0)
        return true;
    const char16_t first = tables_.RomajiTable[row][0][0];
    return first == u'x' || first == u'l';
}

void Judge::MakeRomanGuide(const std::u16string& source, std::u16string& guide) {
    guide.clear();
    GuideDouble.clear();
    GuideMatch.clear();
    const std::size_t length = source.size();
    std::size_t i = 1;

    // Writes a unit's preferred spelling, doubling its first letter when a
    // っ before it is waiting to be shown that way.
    const auto appendSpelling = [&](const std::u16string& spelling) {
        if (GuideDouble == u"1") {
            guide.append(spelling, 0, 1);
            GuideDouble.clear();
        }
        guide += spelling;
    };

    while (i <= length) {
        // A two-kana unit wins over its first kana: きゃ is kya, not kixya.
        if (i < length) {
            const int row = PairOf(source[i - 1], source[i]);
            if (row >= 0) {
                GuideRow = row;
                GuideMatch = u"1";
                appendSpelling(tables_.RomajiTable[row][0]);
                i += 2;
            }
        }
        if (GuideMatch.empty()) {
            const int row = UnitOf(source[i - 1]);
            if (row >= 0) {
                GuideRow = row;
                GuideMatch = u"2";
                const std::u16string& spelling = tables_.RomajiTable[row][0];
                const std::u16string_view next = CharAt(source, i + 1);
                if (spelling == kDoublingMarker) {
                    if (MustSpellSokuon(source, i + 1)) {
                        guide += u"xtu";
                    } else {
                        GuideDouble = u"1";
                    }
                } else if (spelling == kSingleNMarker) {
                    guide += NeedsDoubleN(next) ? u"nn" : u"n";
                } else {
                    appendSpelling(spelling);
                }
                i += 1;
            }
        }
        if (GuideMatch.empty()) {
            guide += TypedAs(source[i - 1]);
            i += 1;
        }
        GuideMatch.clear();
    }
}

}  // namespace kanoby
