#include "judge/Judge.h"
#include "judge/KanaSets.h"

namespace kanoby {

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
            const int row = tables_.FindPairUnit(source[i - 1], source[i]);
            if (row >= 0) {
                GuideRow = row;
                GuideMatch = u"1";
                appendSpelling(tables_.RomajiTable[row][0]);
                i += 2;
            }
        }
        if (GuideMatch.empty()) {
            const int row = tables_.FindSingleUnit(source[i - 1]);
            if (row >= 0) {
                GuideRow = row;
                GuideMatch = u"2";
                const std::u16string& spelling = tables_.RomajiTable[row][0];
                const std::u16string_view next = CharAt(source, i + 1);
                if (spelling == kDoublingMarker) {
                    // Doubling only works when the next character is a unit
                    // that a doubled letter can begin; before the end, a vowel,
                    // a な-row kana, another っ or a character outside the
                    // table, っ has to be typed on its own.
                    if (InVowelNaKana(next) || next == kKanaSokuon ||
                        tables_.FindSingleUnit(next[0]) < 0) {
                        guide += u"xtu";
                    } else {
                        GuideDouble = u"1";
                    }
                } else if (spelling == kSingleNMarker) {
                    guide += InVowelNaYaKana(next) ? u"nn" : u"n";
                } else {
                    appendSpelling(spelling);
                }
                i += 1;
            }
        }
        if (GuideMatch.empty()) {
            guide += source[i - 1];
            i += 1;
        }
        GuideMatch.clear();
    }
}

}  // namespace kanoby
