#include "engine/Judge.h"

namespace kanoby {

void Judge::JudgeKana() {
    JudgeMiss = true;
    ReadingDone = false;

    const std::u16string_view cur = CharAt(Reading, ReadPos);
    if (cur.empty())
        return;
    const std::u16string* accepted = nullptr;

    if (KeyChar.size() == 1 && KeyChar[0] == TypedAs(cur[0])) {
        accepted = &KeyChar;
        UnitKeys.clear();
        UnitRest.clear();
        ReadPos += 1;
    } else {
        const int row = UnitOf(cur[0]);
        candidate_ = UnitKeys;
        candidate_ += KeyKana;
        const std::u16string_view keys = row >= 0 ? KanaKeys(row) : std::u16string_view{};
        // A key without kana (the space bar, the keypad) passes the prefix
        // test: it completes ゎ, ヵ and ヶ, whose keys only stand in, and is
        // taken without progress anywhere else.
        if (row >= 0 && keys.starts_with(candidate_)) {
            accepted = &KeyKana;
            if (keys.size() == candidate_.size() ||
                (candidate_.empty() && tables_.HankakuTable[row].empty())) {
                UnitKeys.clear();
                UnitRest.clear();
                ReadPos += 1;
            } else {
                UnitKeys = candidate_;
                UnitRest.assign(keys.substr(candidate_.size()));
            }
        }
    }
    if (accepted != nullptr)
        AcceptKey(*accepted, InputMode::Kana, UnitRest.empty() ? ReadPos : ReadPos + 1);
}

}  // namespace kanoby
