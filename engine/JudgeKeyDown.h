// The road of one key-down while a run is active: the key table turns the key
// into a Latin character and a half-width kana, the judge of the input mode
// takes them, and the verdict says what the caller does next.
#pragma once

#include "engine/Judge.h"
#include "engine/KeyTable.h"

namespace kanoby {

enum class KeyVerdict {
    NotInTable,       // ignored: the typing state is untouched
    Rejected,         // nothing changed but the verdict flags
    Accepted,         // the state advanced and the guide was rebuilt
    ReadingComplete,  // accepted, and the reading is typed to its end
};

// Looks the key up, copies what it types into KeyChar and KeyKana and calls
// JudgeRoman or JudgeKana for `mode`.
KeyVerdict JudgeKeyDown(const KeyTable& keys, Judge& judge, int keyCode, int shift, InputMode mode);

// Whether a reading holding `c` can be typed to its end, in either input
// mode: `c` is a unit of the table (ゔ as ヴ), or some key produces the Latin
// character it is typed as.
bool IsTypeable(const KanaRomajiTable& units, const KeyTable& keys, char16_t c);

}  // namespace kanoby
