#include "engine/Judge.h"
#include "engine/KanaSets.h"

namespace kanoby {

void Judge::JudgeRoman() {
    JudgeMiss = true;
    ReadingDone = false;

    // The one key without a character (Shift with the digit 0 key) would
    // match whatever is already begun and slip a marker into the guide.
    if (KeyChar.empty())
        return;

    // A character outside the table is typed as itself.
    if (ReadPos <= Reading.size() && KeyChar[0] == TypedAs(Reading[ReadPos - 1])) {
        UnitKeys.clear();
        UnitRest.clear();
        ReadPos += 1;
        AcceptKey(KeyChar, InputMode::Romaji, ReadPos);
        return;
    }

    NRule nRule = NRule::None;
    bool doubledSokuon = false;
    ApplyRomanRules(nRule, doubledSokuon);
    candidate_ = UnitKeys;
    candidate_ += KeyChar;

    // A two-kana unit first: きゃ as kya, then き as ki.
    std::size_t width = 0;
    if (!doubledSokuon && InSmallKana(CharAt(Reading, ReadPos + 1))) {
        const int row = PairOf(Reading[ReadPos - 1], Reading[ReadPos]);
        if (row >= 0 && TakeRomanUnit(row, 2, false, nRule))
            width = 2;
    }
    if (width == 0 && ReadPos <= Reading.size()) {
        const int row = UnitOf(Reading[ReadPos - 1]);
        if (row >= 0 && TakeRomanUnit(row, 1, doubledSokuon, nRule))
            width = 1;
    }

    if (width == 0) {
        // Rejected: the rules' steps are undone.
        if (nRule == NRule::EndedByThisKey) {
            UnitKeys = u"n";
            ReadPos -= 1;
        }
        if (doubledSokuon)
            ReadPos -= 1;
        return;
    }
    AcceptKey(KeyChar, InputMode::Romaji, UnitKeys.empty() ? ReadPos : ReadPos + width);
}

void Judge::ApplyRomanRules(NRule& nRule, bool& doubledSokuon) {
    const std::u16string_view cur = CharAt(Reading, ReadPos);
    const std::u16string_view next = CharAt(Reading, ReadPos + 1);
    if (cur == kKanaN && !InVowelNaYaKana(next)) {
        if (UnitKeys == u"n" && KeyChar != u"n") {
            nRule = NRule::EndedByThisKey;
            UnitKeys.clear();
            ReadPos += 1;
        }
        if (UnitKeys.empty() && KeyChar == u"n")
            nRule = NRule::FirstN;
    } else if (cur == kKanaSokuon && !InVowelNaKana(next) && UnitKeys.empty() && KeyChar != u"l" &&
               KeyChar != u"x") {
        // Judged as the doubled first letter of the kana after っ.
        doubledSokuon = true;
        ReadPos += 1;
    }
}

bool Judge::TakeRomanUnit(const int row, const std::size_t width, const bool doubledSokuon,
                          const NRule nRule) {
    const KanaRomajiTable::Spellings& spellings = tables_.RomajiTable[row];
    for (const std::u16string& spelling : spellings) {
        if (spelling.empty() || !spelling.starts_with(candidate_))
            continue;
        if (doubledSokuon) {
            // The doubled letter completes っ; ReadPos already stands on the
            // kana after it, which is then typed in full.
            UnitKeys.clear();
            UnitRest.clear();
        } else if (spelling.size() == candidate_.size()) {
            UnitKeys.clear();
            UnitRest.clear();
            ReadPos += width;
        } else {
            UnitKeys = candidate_;
            // A first "n" that may complete ん on its own: the guide goes on
            // as it showed this ん, so the second n is owed only where it was
            // shown as "nn".
            if (spellings[0] == kSingleNMarker && nRule == NRule::FirstN) {
                UnitRest = NeedsDoubleN(CharAt(Reading, ReadPos + 1)) ? u"n" : u"";
            } else {
                UnitRest.assign(spelling, candidate_.size());
            }
        }
        return true;
    }
    return false;
}

void Judge::AcceptKey(const std::u16string& key, const InputMode mode,
                      const std::size_t tailStart) {
    JudgeMiss = false;
    TypedKeys += key;
    if (ReadPos == Reading.size() + 1) {
        ReadingDone = true;
        GuideText.clear();
    } else {
        RebuildGuide(mode, tailStart);
    }
}

}  // namespace kanoby
