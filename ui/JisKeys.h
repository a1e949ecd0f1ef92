// The keys of a Japanese JIS keyboard as Windows virtual-key codes, read from
// where a key sits on the keyboard rather than from what the selected layout
// makes of it.
#pragma once

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

namespace kanoby {

struct JisKey {
    int keyCode = 0;  // Windows virtual-key code; 0 for a key that types nothing here
    int shift = 0;    // 1 Shift, 2 Ctrl, 4 Alt, combined

    friend bool operator==(const JisKey&, const JisKey&) = default;
};

// The virtual-key code of the JIS key with the X keycode `xKeycode` (evdev
// code + 8, as X11 and Wayland deliver it), or 0 when it is none of ours. The
// keypad digits and decimal point count only while NumLock is on.
int VirtualKeyFromXKeycode(quint32 xKeycode, bool numLockOn);

// The virtual-key code of the JIS key that types `qtKey`, for events that
// carry no native code. Keypad keys are told apart by Qt::KeypadModifier.
int VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift 1, Ctrl 2, Alt 4; other modifiers play no part.
int ShiftMask(Qt::KeyboardModifiers modifiers);

// The key of a key event: from its native code where the platform gives one,
// else from its Qt key.
JisKey JisKeyFromEvent(const QKeyEvent& event);

}  // namespace kanoby
