// The keys of a Japanese JIS keyboard as Windows virtual-key codes. Kana
// input reads a key by where it sits on the keyboard, since kana keys exist
// only on JIS keyboards; romaji input by the character the selected layout
// gives it, so that every keyboard types the letters printed on it.
#pragma once

#include <Qt>
#include <QtGlobal>

#include "engine/KeyTable.h"

class QKeyEvent;

namespace kanoby {

// The virtual-key code of Enter (Return and keypad Enter), which toggles the
// run and is never judged.
inline constexpr int kVkEnter = 13;

// The virtual-key code of the JIS key with the X keycode `xKeycode` (evdev
// code + 8, as X11 and Wayland deliver it), or 0 when it is none of ours. The
// keypad digits and decimal point count only while NumLock is on.
int VirtualKeyFromXKeycode(quint32 xKeycode, bool numLockOn);

// The same for the scan code of a JIS 106/109 keyboard as Windows delivers it
// (set 1, 0x100 added for an extended key). It names the key's place whatever
// the layout, like an X keycode. Extended keys other than the keypad's Enter
// and / (the arrows and the block above them, the right-hand Ctrl and Alt)
// are none of ours.
int VirtualKeyFromWindowsScanCode(quint32 scanCode, bool numLockOn);

// The virtual-key code of the JIS key that types `qtKey`, for events that
// carry no native code. Keypad keys are told apart by Qt::KeypadModifier.
int VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift 1, Ctrl 2, Alt 4; other modifiers play no part.
int ShiftMask(Qt::KeyboardModifiers modifiers);

// The ASCII character the selected layout gives a key: Qt's key, a letter
// in capitals with Shift only (so Caps Lock changes nothing). 0 for anything
// else: dead keys, accented letters, other scripts.
char16_t LayoutCharacter(int qtKey, Qt::KeyboardModifiers modifiers);

// The key of a key event by its place: from its native code where the
// platform gives one, else from its Qt key.
KeyStroke JisKeyFromEvent(const QKeyEvent& event);

// The key of a key event by the selected layout: the JIS key and Shift that
// type its LayoutCharacter in `keys`, keeping Ctrl and Alt; key code 0 when
// no key there types it. Enter is found by its place.
KeyStroke JisKeyByLayout(const QKeyEvent& event, const KeyTable& keys);

}  // namespace kanoby
