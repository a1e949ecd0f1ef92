#include "engine/Judge.h"
#include "engine/KanaSets.h"

namespace kanoby {
namespace {

bool Admits(const std::u16string& spelling, const std::u16string& candidate) {
    return !spelling.empty() && spelling.starts_with(candidate);
}

}  // namespace

void Judge::JudgeRoman() {
    JudgeMiss = u"1";
    ReadingDone.clear();
    MatchKind.clear();
    NRule.clear();
    SokuonRule.clear();

    // The one key without a character (Shift with the digit 0 key) would
    // match whatever is already begun and slip a marker into the guide.
    if (KeyChar.empty())
        return;

    // A character outside the table is typed as itself.
    if (ReadPos <= Reading.size() && KeyChar[0] == TypedAs(Reading[ReadPos - 1])) {
        MatchKind = u"1";
        UnitKeys.clear();
        UnitRest.clear();
        ReadPos += 1;
    }

    if (MatchKind.empty()) {
        const std::u16string_view cur = CharAt(Reading, ReadPos);
        const std::u16string_view next = CharAt(Reading, ReadPos + 1);
        if (cur == kKanaN && !InVowelNaYaKana(next)) {
            if (UnitKeys == u"n" && KeyChar != u"n") {
                // The "n" typed before completed ん; this key goes to what follows.
                NRule = u"1";
                UnitKeys.clear();
                ReadPos += 1;
            }
            if (UnitKeys.empty() && KeyChar == u"n")
                NRule = u"2";
        } else if (cur == kKanaSokuon && !InVowelNaKana(next) && UnitKeys.empty() &&
                   KeyChar != u"l" && KeyChar != u"x") {
            // Judged as the doubled first letter of the kana after っ.
            SokuonRule = u"1";
            ReadPos += 1;
        }
    }

    candidate_ = UnitKeys;
    candidate_ += KeyChar;

    if (MatchKind.empty() && SokuonRule != u"1" && InSmallKana(CharAt(Reading, ReadPos + 1))) {
        const int row = PairOf(Reading[ReadPos - 1], Reading[ReadPos]);
        if (row >= 0) {
            JudgeRow = row;
            for (JudgeSlot = 0; JudgeSlot < kSlotCount; ++JudgeSlot) {
                const std::u16string& spelling = tables_.RomajiTable[row][JudgeSlot];
                if (!Admits(spelling, candidate_))
                    continue;
                MatchKind = u"2";
                if (spelling.size() == candidate_.size()) {
                    UnitKeys.clear();
                    UnitRest.clear();
                    ReadPos += 2;
                } else {
                    UnitKeys = candidate_;
                    UnitRest.assign(spelling, candidate_.size());
                }
                break;
            }
        }
    }

    if (MatchKind.empty() && ReadPos <= Reading.size()) {
        const int row = UnitOf(Reading[ReadPos - 1]);
        if (row >= 0) {
            JudgeRow = row;
            for (JudgeSlot = 0; JudgeSlot < kSlotCount; ++JudgeSlot) {
                const std::u16string& spelling = tables_.RomajiTable[row][JudgeSlot];
                if (!Admits(spelling, candidate_))
                    continue;
                MatchKind = u"3";
                if (SokuonRule == u"1") {
                    // The doubled letter completes っ; ReadPos already stands
                    // on the kana after it, which is then typed in full.
                    UnitKeys.clear();
                    UnitRest.clear();
                } else if (spelling.size() == candidate_.size()) {
                    UnitKeys.clear();
                    UnitRest.clear();
                    ReadPos += 1;
                } else {
                    UnitKeys = candidate_;
                    // A first "n" that may complete ん on its own: the guide
                    // goes on as it showed this ん, so the second n is owed
                    // only where it was shown as "nn".
                    if (tables_.RomajiTable[row][0] == kSingleNMarker && NRule == u"2") {
                        UnitRest = NeedsDoubleN(CharAt(Reading, ReadPos + 1)) ? u"n" : u"";
                    } else {
                        UnitRest.assign(spelling, candidate_.size());
                    }
                }
                break;
            }
        }
    }

    if (MatchKind.empty()) {
        if (NRule == u"1") {
            UnitKeys = u"n";
            ReadPos -= 1;
        }
        if (SokuonRule == u"1")
            ReadPos -= 1;
        return;
    }

    JudgeMiss = u"0";
    TypedKeys += KeyChar;
    if (ReadPos == Reading.size() + 1) {
        ReadingDone = u"1";
        GuideText.clear();
    } else if (!UnitKeys.empty()) {
        RebuildGuide(InputMode::Romaji, ReadPos + (MatchKind == u"2" ? 2 : 1));
    } else {
        RebuildGuide(InputMode::Romaji, ReadPos);
    }
}

}  // namespace kanoby
