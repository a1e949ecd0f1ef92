#include "engine/JudgeKeyDown.h"

namespace kanoby {

KeyVerdict JudgeKeyDown(const KeyTable& keys, Judge& judge, const int keyCode, const int shift,
                        const InputMode mode) {
    const std::optional<KeyTranslation> typed = keys.Translate(keyCode, shift);
    if (!typed)
        return KeyVerdict::NotInTable;
    judge.KeyChar = typed->character;
    judge.KeyKana = typed->kana;
    if (mode == InputMode::Romaji) {
        judge.JudgeRoman();
    } else {
        judge.JudgeKana();
    }
    if (judge.JudgeMiss)
        return KeyVerdict::Rejected;
    return judge.ReadingDone ? KeyVerdict::ReadingComplete : KeyVerdict::Accepted;
}

bool IsTypeable(const KanaRomajiTable& units, const KeyTable& keys, const char16_t c) {
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
