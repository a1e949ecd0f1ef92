#include "judge/Judge.h"

namespace kanoby {

void Judge::MakeKanaGuide(const std::u16string& source, std::u16string& guide) {
    guide.clear();
    GuideMatch.clear();
    for (const char16_t c : source) {
        // Only one-character units take part: きゃ is described as ｷ then ｬ.
        const int row = UnitOf(c);
        if (row >= 0) {
            GuideRow = row;
            GuideMatch = u"1";
            // ゎ, ヵ and ヶ have no keys and add nothing.
            guide += tables_.HankakuTable[row];
            GuideMatch.clear();
        } else {
            guide += TypedAs(c);
        }
    }
}

void Judge::JudgeKana() {
    JudgeMiss = u"1";
    ReadingDone.clear();
    MatchKind.clear();

    const std::u16string_view cur = CharAt(Reading, ReadPos);
    if (cur.empty())
        return;
    const std::u16string* accepted = nullptr;

    if (KeyChar.size() == 1 && KeyChar[0] == TypedAs(cur[0])) {
        MatchKind = u"1";
        accepted = &KeyChar;
        UnitKeys.clear();
        UnitRest.clear();
        ReadPos += 1;
    } else {
        const int row = UnitOf(cur[0]);
        candidate_ = UnitKeys;
        candidate_ += KeyKana;
        // A key without kana (the space bar, the keypad) passes the prefix
        // test: it completes ゎ, ヵ and ヶ, which have no keys, and is taken
        // without progress anywhere else.
        if (row >= 0 && tables_.HankakuTable[row].starts_with(candidate_)) {
            const std::u16string& keys = tables_.HankakuTable[row];
            JudgeRow = row;
            MatchKind = u"2";
            accepted = &KeyKana;
            if (keys.size() == candidate_.size()) {
                UnitKeys.clear();
                UnitRest.clear();
                ReadPos += 1;
            } else {
                UnitKeys = candidate_;
                UnitRest.assign(keys, candidate_.size());
            }
        }
    }
    if (accepted == nullptr)
        return;

    JudgeMiss = u"0";
    TypedKeys += *accepted;
    if (ReadPos == Reading.size() + 1) {
        ReadingDone = u"1";
        GuideText.clear();
    } else {
        RebuildGuide(InputMode::Kana, UnitRest.empty() ? ReadPos : ReadPos + 1);
    }
}

}  // namespace kanoby
