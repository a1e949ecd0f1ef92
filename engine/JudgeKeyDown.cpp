#include "engine/JudgeKeyDown.h"

namespace kanoby {

KeyVerdict JudgeKeyDown(CodeChage& lookup, Judge& judge, const int keyCode, const int shift,
                        const InputMode mode) {
    lookup.InKeyCode = keyCode;
    lookup.InShift = shift;
    lookup.ChangeCode();
    if (lookup.OutStatus != u"0")
        return KeyVerdict::NotInTable;
    judge.KeyChar = lookup.OutChar;
    judge.KeyKana = lookup.OutKana;
    if (mode == InputMode::Romaji) {
        judge.JudgeRoman();
    } else {
        judge.JudgeKana();
    }
    if (judge.JudgeMiss != u"0")
        return KeyVerdict::Rejected;
    return judge.ReadingDone == u"1" ? KeyVerdict::ReadingComplete : KeyVerdict::Accepted;
}

bool IsTypeable(const JudgeTableSet& units, const CodeChangeTableSet& keys, const char16_t c) {
    const char16_t typed = TypedAs(c);
    if (units.FindSingleUnit(typed) >= 0)
        return true;
    for (const std::u16string& character : keys.CharTable) {
        if (character.size() == 1 && character[0] == typed)
            return true;
    }
    return false;
}

}  // namespace kanoby
