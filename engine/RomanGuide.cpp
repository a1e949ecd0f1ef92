#include <cstdint>

#include "engine/Judge.h"
#include "engine/KanaSets.h"

namespace kanoby {

// Whether ん before `next` takes two keystrokes. A single n is only enough
// where the judge can tell it from the start of what follows: not before a
// vowel, the な row, や ゆ よ or the end, and not before another ん, a っ or a
// character that is typed as itself, which the judge would take as the
// second n or reject.
bool Judge::NeedsDoubleN(std::u16string_view next) const {
    return InVowelNaYaKana(next) || next[0] == u'ん' || next[0] == u'っ' || UnitOf(next[0]) < 0;
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

}  // namespace

void Judge::MakeRomanGuide(const std::u16string& source, std::u16string& guide) {
    guide.clear();
    GuideDouble.clear();
    GuideMatch.clear();
    const std::size_t length = source.size();
    std::size_t i = 1;

    // Writes a unit's preferred spelling, doubling its first letter when a
    // っ before it is waiting to be shown that way. x and l begin "xtu" and
    // "ltu" at the っ, and ",," or "--" is no way anyone types っ before a
    // mark: before those the っ is spelt out instead.
    const auto appendSpelling = [&](const std::u16string& spelling) {
        if (GuideDouble == u"1") {
            if (DoublesAtSokuon(spelling[0])) {
                guide.append(spelling, 0, 1);
            } else {
                guide += u"xtu";
            }
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
                    // Doubling needs a unit after the っ whose first letter
                    // the judge takes there: not the end, a vowel, the な
                    // row, ん, another っ or a character typed as itself.
                    if (InVowelNaKana(next) || next[0] == u'ん' || next[0] == u'っ' ||
                        UnitOf(next[0]) < 0) {
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
