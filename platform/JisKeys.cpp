#include "platform/JisKeys.h"

#include <QKeyEvent>
#include <optional>

#include "engine/KeyTable.h"

namespace kanoby {

namespace {

// X keycodes of the keypad keys that type digits only while NumLock is on,
// in the order 0–9, then the decimal point.
constexpr quint32 kKeypadDigitKeycodes[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
constexpr quint32 kKeypadDecimalKeycode = 91;

}  // namespace

int VirtualKeyFromXKeycode(const quint32 xKeycode, const bool numLockOn) {
    // The digit row 1–9, 0.
    if (xKeycode >= 10 && xKeycode <= 18) {
        return '1' + static_cast<int>(xKeycode - 10);
    }
    if (xKeycode == 19) {
        return '0';
    }
    static constexpr char kTopLetters[] = "QWERTYUIOP";  // X 24–33
    static constexpr char kHomeLetters[] = "ASDFGHJKL";  // X 38–46
    static constexpr char kLowLetters[] = "ZXCVBNM";     // X 52–58
    if (xKeycode >= 24 && xKeycode <= 33) {
        return kTopLetters[xKeycode - 24];
    }
    if (xKeycode >= 38 && xKeycode <= 46) {
        return kHomeLetters[xKeycode - 38];
    }
    if (xKeycode >= 52 && xKeycode <= 58) {
        return kLowLetters[xKeycode - 52];
    }
    for (int digit = 0; digit < 10; ++digit) {
        if (xKeycode == kKeypadDigitKeycodes[digit]) {
            return numLockOn ? kVkNumpad0 + digit : 0;
        }
    }
    switch (xKeycode) {
        case kKeypadDecimalKeycode:
            return numLockOn ? kVkDecimal : 0;
        case 20:
            return kVkOemMinus;
        case 21:
            return kVkOem7;
        case 132:
            return kVkOem5;  // Yen
        case 34:
            return kVkOem3;
        case 35:
            return kVkOem4;
        case 47:
            return kVkOemPlus;
        case 48:
            return kVkOem1;
        case 51:
            return kVkOem6;
        case 59:
            return kVkOemComma;
        case 60:
            return kVkOemPeriod;
        case 61:
            return kVkOem2;
        case 97:
            return kVkOem102;  // Ro
        case 65:
            return kVkSpace;
        case 36:
        case 104:
            return kVkEnter;  // Return and keypad Enter
        case 63:
            return kVkMultiply;
        case 86:
            return kVkAdd;
        case 82:
            return kVkSubtract;
        case 106:
            return kVkDivide;
        default:
            return 0;
    }
}

int VirtualKeyFromWindowsScanCode(const quint32 scanCode, const bool numLockOn) {
    // Scan codes 1–88 are the evdev codes of the same keys, which X keycodes
    // are with 8 added; the JIS keys past them and the keypad's extended keys
    // have evdev codes of their own.
    constexpr quint32 kExtended = 0x100;
    switch (scanCode) {
        case 0x73:
            return VirtualKeyFromXKeycode(89 + 8, numLockOn);  // Ro
        case 0x7D:
            return VirtualKeyFromXKeycode(124 + 8, numLockOn);  // Yen
        case kExtended | 0x1C:
            return kVkEnter;  // keypad Enter
        case kExtended | 0x35:
            return kVkDivide;
        default:
            return scanCode <= 88 ? VirtualKeyFromXKeycode(scanCode + 8, numLockOn) : 0;
    }
}

int VirtualKeyFromQtKey(const int qtKey, const Qt::KeyboardModifiers modifiers) {
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        return kVkEnter;
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return kVkNumpad0 + (qtKey - Qt::Key_0);
        }
        switch (qtKey) {
            case Qt::Key_Asterisk:
                return kVkMultiply;
            case Qt::Key_Plus:
                return kVkAdd;
            case Qt::Key_Minus:
                return kVkSubtract;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return kVkDecimal;
            case Qt::Key_Slash:
                return kVkDivide;
            default:
                return 0;
        }
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // Qt's codes of digits and letters are the virtual-key codes
    }
    // Everything else as the JIS layout prints it, shifted or not.
    switch (qtKey) {
        case Qt::Key_Space:
            return kVkSpace;
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_QuoteDbl:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_Ampersand:
            return '6';
        case Qt::Key_Apostrophe:
            return '7';
        case Qt::Key_ParenLeft:
            return '8';
        case Qt::Key_ParenRight:
            return '9';
        case Qt::Key_Minus:
        case Qt::Key_Equal:
            return kVkOemMinus;
        case Qt::Key_AsciiCircum:
        case Qt::Key_AsciiTilde:
            return kVkOem7;
        case Qt::Key_yen:
        case Qt::Key_Bar:
            return kVkOem5;
        case Qt::Key_At:
        case Qt::Key_QuoteLeft:
            return kVkOem3;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return kVkOem4;
        case Qt::Key_Semicolon:
        case Qt::Key_Plus:
            return kVkOemPlus;
        case Qt::Key_Colon:
        case Qt::Key_Asterisk:
            return kVkOem1;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return kVkOem6;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return kVkOemComma;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return kVkOemPeriod;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return kVkOem2;
        case Qt::Key_Backslash:
        case Qt::Key_Underscore:
            return kVkOem102;
        default:
            return 0;
    }
}

int ShiftMask(const Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        mask |= kShiftBit;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        mask |= kCtrlBit;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        mask |= kAltBit;
    }
    return mask;
}

char16_t LayoutCharacter(const int qtKey, const Qt::KeyboardModifiers modifiers) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<char16_t>(modifiers.testFlag(Qt::ShiftModifier) ? qtKey
                                                                           : qtKey - 'A' + 'a');
    }
    if (qtKey == Qt::Key_yen) {
        return u'\\';  // what the JIS ¥ key types
    }
    // A dead key types its own character, as the same layout without dead
    // keys would: nothing is composed here.
    switch (qtKey) {
        case Qt::Key_Dead_Circumflex:
            return u'^';
        case Qt::Key_Dead_Grave:
            return u'`';
        case Qt::Key_Dead_Acute:
            return u'\'';
        case Qt::Key_Dead_Diaeresis:
            return u'"';
        case Qt::Key_Dead_Tilde:
            return u'~';
        default:
            break;
    }
    return qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde ? static_cast<char16_t>(qtKey)
                                                                 : u'\0';
}

KeyStroke JisKeyFromEvent(const QKeyEvent& event) {
    KeyStroke key;
    key.shift = ShiftMask(event.modifiers());
    // Windows' scan code, and the X keycode that X11 and Wayland deliver,
    // name the key's place on the keyboard; a key we do not know there is
    // none of ours, whatever the layout makes of it.
    const quint32 place = event.nativeScanCode();
    const int qtKey = event.key();
    const bool numLockOn = (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || qtKey == Qt::Key_Period ||
                           qtKey == Qt::Key_Comma;
#if defined(Q_OS_WIN)
    if (place != 0) {
        key.keyCode = VirtualKeyFromWindowsScanCode(place, numLockOn);
        return key;
    }
#elif !defined(Q_OS_DARWIN)
    if (place != 0) {
        key.keyCode = VirtualKeyFromXKeycode(place, numLockOn);
        return key;
    }
#else
    Q_UNUSED(place);
    Q_UNUSED(numLockOn);
#endif
    key.keyCode = VirtualKeyFromQtKey(qtKey, event.modifiers());
    return key;
}

KeyStroke JisKeyByLayout(const QKeyEvent& event, const KeyTable& keys) {
    KeyStroke key = JisKeyFromEvent(event);
    if (key.keyCode == kVkEnter) {
        return key;
    }
    const char16_t character = LayoutCharacter(event.key(), event.modifiers());
    const std::optional<KeyStroke> typing =
        character != 0 ? KeyTyping(keys, character) : std::nullopt;
    key.keyCode = typing ? typing->keyCode : 0;
    key.shift = (key.shift & ~kShiftBit) | (typing ? typing->shift : 0);
    return key;
}

}  // namespace kanoby
