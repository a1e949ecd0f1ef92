// Every key of the JIS keyboard reaches the key table under the virtual-key
// code of its place on the keyboard, whatever the selected layout says.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "ui/JisKeys.h"

namespace kanoby {
namespace {

struct XKeyRow {
    const char* name;
    quint32 xKeycode;
    int virtualKey;
};

class XKeycodeTest : public ::testing::TestWithParam<XKeyRow> {};

TEST_P(XKeycodeTest, MapsToJisVirtualKey) {
    const XKeyRow& row = GetParam();
    EXPECT_EQ(VirtualKeyFromXKeycode(row.xKeycode, true), row.virtualKey);
}

std::vector<XKeyRow> XKeyRows() {
    std::vector<XKeyRow> rows = {
        {"Digit0", 19, 48},
        {"Minus", 20, 189},
        {"Caret", 21, 222},
        {"Yen", 132, 220},
        {"At", 34, 192},
        {"BracketLeft", 35, 219},
        {"Semicolon", 47, 187},
        {"Colon", 48, 186},
        {"BracketRight", 51, 221},
        {"Comma", 59, 188},
        {"Period", 60, 190},
        {"Slash", 61, 191},
        {"Ro", 97, 226},
        {"Space", 65, 32},
        {"Return", 36, 13},
        {"KeypadEnter", 104, 13},
        {"Keypad0", 90, 96},
        {"Keypad1", 87, 97},
        {"Keypad2", 88, 98},
        {"Keypad3", 89, 99},
        {"Keypad4", 83, 100},
        {"Keypad5", 84, 101},
        {"Keypad6", 85, 102},
        {"Keypad7", 79, 103},
        {"Keypad8", 80, 104},
        {"Keypad9", 81, 105},
        {"KeypadMultiply", 63, 106},
        {"KeypadAdd", 86, 107},
        {"KeypadSubtract", 82, 109},
        {"KeypadDecimal", 91, 110},
        {"KeypadDivide", 106, 111},
        // Keys that are not on the key table's keyboard, or type nothing.
        {"Escape", 9, 0},
        {"Backspace", 22, 0},
        {"Tab", 23, 0},
        {"HankakuZenkaku", 49, 0},
        {"ShiftLeft", 50, 0},
        {"ShiftRight", 62, 0},
        {"ControlLeft", 37, 0},
        {"AltLeft", 64, 0},
        {"Henkan", 100, 0},
        {"F1", 67, 0},
        {"Zero", 0, 0},
        {"Huge", 70000, 0},
    };
    // The digit row 1–9 and the letter rows, each run of keycodes in order.
    for (int i = 0; i < 9; ++i) {
        rows.push_back({nullptr, static_cast<quint32>(10 + i), '1' + i});
    }
    const std::string top = "QWERTYUIOP";
    const std::string home = "ASDFGHJKL";
    const std::string low = "ZXCVBNM";
    for (std::size_t i = 0; i < top.size(); ++i) {
        rows.push_back({nullptr, static_cast<quint32>(24 + i), top[i]});
    }
    for (std::size_t i = 0; i < home.size(); ++i) {
        rows.push_back({nullptr, static_cast<quint32>(38 + i), home[i]});
    }
    for (std::size_t i = 0; i < low.size(); ++i) {
        rows.push_back({nullptr, static_cast<quint32>(52 + i), low[i]});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(JisKeyboard, XKeycodeTest, ::testing::ValuesIn(XKeyRows()),
                         [](const ::testing::TestParamInfo<XKeyRow>& info) {
                             if (info.param.name != nullptr) {
                                 return std::string(info.param.name);
                             }
                             return "X" + std::to_string(info.param.xKeycode) + "_VK" +
                                    std::to_string(info.param.virtualKey);
                         });

TEST(XKeycodeNumLock, KeypadDigitsTypeNothingWithNumLockOff) {
    for (const quint32 keycode : {90u, 87u, 88u, 89u, 83u, 84u, 85u, 79u, 80u, 81u, 91u}) {
        EXPECT_EQ(VirtualKeyFromXKeycode(keycode, false), 0) << "X " << keycode;
    }
    // The operators and Enter of the keypad do not depend on NumLock.
    EXPECT_EQ(VirtualKeyFromXKeycode(63, false), 106);
    EXPECT_EQ(VirtualKeyFromXKeycode(106, false), 111);
    EXPECT_EQ(VirtualKeyFromXKeycode(104, false), 13);
}

struct QtKeyRow {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int virtualKey;
};

class QtKeyFallbackTest : public ::testing::TestWithParam<QtKeyRow> {};

TEST_P(QtKeyFallbackTest, ReadsQtKeyAsJisLayout) {
    const QtKeyRow& row = GetParam();
    EXPECT_EQ(VirtualKeyFromQtKey(row.qtKey, row.modifiers), row.virtualKey);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    JisLayout, QtKeyFallbackTest,
    ::testing::Values(
        QtKeyRow{"LetterA", Qt::Key_A, kNone, 65}, QtKeyRow{"LetterZ", Qt::Key_Z, kShift, 90},
        QtKeyRow{"Digit0", Qt::Key_0, kNone, 48}, QtKeyRow{"Digit9", Qt::Key_9, kNone, 57},
        QtKeyRow{"Space", Qt::Key_Space, kNone, 32}, QtKeyRow{"Return", Qt::Key_Return, kNone, 13},
        QtKeyRow{"Enter", Qt::Key_Enter, kKeypad, 13}, QtKeyRow{"At", Qt::Key_At, kNone, 192},
        QtKeyRow{"Grave", Qt::Key_QuoteLeft, kShift, 192},
        QtKeyRow{"BracketLeft", Qt::Key_BracketLeft, kNone, 219},
        QtKeyRow{"BraceLeft", Qt::Key_BraceLeft, kShift, 219},
        QtKeyRow{"Colon", Qt::Key_Colon, kNone, 186},
        QtKeyRow{"Asterisk", Qt::Key_Asterisk, kShift, 186},
        QtKeyRow{"Semicolon", Qt::Key_Semicolon, kNone, 187},
        QtKeyRow{"Plus", Qt::Key_Plus, kShift, 187},
        QtKeyRow{"Caret", Qt::Key_AsciiCircum, kNone, 222},
        QtKeyRow{"Tilde", Qt::Key_AsciiTilde, kShift, 222},
        QtKeyRow{"BracketRight", Qt::Key_BracketRight, kNone, 221},
        QtKeyRow{"BraceRight", Qt::Key_BraceRight, kShift, 221},
        QtKeyRow{"Minus", Qt::Key_Minus, kNone, 189}, QtKeyRow{"Equal", Qt::Key_Equal, kShift, 189},
        QtKeyRow{"Comma", Qt::Key_Comma, kNone, 188}, QtKeyRow{"Less", Qt::Key_Less, kShift, 188},
        QtKeyRow{"Period", Qt::Key_Period, kNone, 190},
        QtKeyRow{"Greater", Qt::Key_Greater, kShift, 190},
        QtKeyRow{"Slash", Qt::Key_Slash, kNone, 191},
        QtKeyRow{"Question", Qt::Key_Question, kShift, 191},
        QtKeyRow{"Yen", Qt::Key_yen, kNone, 220}, QtKeyRow{"Bar", Qt::Key_Bar, kShift, 220},
        QtKeyRow{"Backslash", Qt::Key_Backslash, kNone, 226},
        QtKeyRow{"Underscore", Qt::Key_Underscore, kShift, 226},
        QtKeyRow{"Exclam", Qt::Key_Exclam, kShift, 49},
        QtKeyRow{"QuoteDbl", Qt::Key_QuoteDbl, kShift, 50},
        QtKeyRow{"ParenRight", Qt::Key_ParenRight, kShift, 57},
        QtKeyRow{"Keypad0", Qt::Key_0, kKeypad, 96}, QtKeyRow{"Keypad9", Qt::Key_9, kKeypad, 105},
        QtKeyRow{"KeypadMultiply", Qt::Key_Asterisk, kKeypad, 106},
        QtKeyRow{"KeypadAdd", Qt::Key_Plus, kKeypad, 107},
        QtKeyRow{"KeypadSubtract", Qt::Key_Minus, kKeypad, 109},
        QtKeyRow{"KeypadDecimal", Qt::Key_Period, kKeypad, 110},
        QtKeyRow{"KeypadDivide", Qt::Key_Slash, kKeypad, 111},
        QtKeyRow{"KeypadHomeNumLockOff", Qt::Key_Home, kKeypad, 0},
        QtKeyRow{"ShiftAlone", Qt::Key_Shift, kShift, 0},
        QtKeyRow{"Escape", Qt::Key_Escape, kNone, 0}, QtKeyRow{"F1", Qt::Key_F1, kNone, 0},
        QtKeyRow{"KanaLetterOutsideAscii", 0x30A2, kNone, 0}),
    [](const ::testing::TestParamInfo<QtKeyRow>& info) { return std::string(info.param.name); });

TEST(ShiftMask, ShiftCtrlAltAreOneTwoFourAndNothingElseCounts) {
    EXPECT_EQ(ShiftMask(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::ControlModifier), 2);
    EXPECT_EQ(ShiftMask(Qt::AltModifier), 4);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ShiftMask(Qt::MetaModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier), 0);
}

TEST(JisKeyFromEvent, NativeScanCodeWinsOverWhatTheLayoutTypes) {
    // A US layout types "[" on the key that a JIS keyboard has "@" on (X 34),
    // and a French one "a" on the Q key (X 24).
    const QKeyEvent bracket(QEvent::KeyPress, Qt::Key_BracketLeft, Qt::NoModifier, 34, 0, 0,
                            u"["_qs);
    EXPECT_EQ(JisKeyFromEvent(bracket), (JisKey{192, 0}));
    const QKeyEvent azerty(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 24,
                           0, 0, u"A"_qs);
    EXPECT_EQ(JisKeyFromEvent(azerty), (JisKey{'Q', 3}));
}

TEST(JisKeyFromEvent, UnknownNativeKeyIsNoneOfOursEvenIfItTypesALetter) {
    const QKeyEvent grave(QEvent::KeyPress, Qt::Key_QuoteLeft, Qt::NoModifier, 49, 0, 0, u"`"_qs);
    EXPECT_EQ(JisKeyFromEvent(grave), (JisKey{0, 0}));
}

TEST(JisKeyFromEvent, KeypadReadsNumLockFromTheKeyItTypes) {
    const QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, 79, 0, 0, u"7"_qs);
    EXPECT_EQ(JisKeyFromEvent(digit), (JisKey{103, 0}));
    const QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::KeypadModifier, 79, 0, 0);
    EXPECT_EQ(JisKeyFromEvent(home), (JisKey{0, 0}));
    const QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, Qt::KeypadModifier, 91, 0, 0, u","_qs);
    EXPECT_EQ(JisKeyFromEvent(comma), (JisKey{110, 0}));
}

TEST(JisKeyFromEvent, EventsWithoutNativeCodesFallBackToTheQtKey) {
    const QKeyEvent colon(QEvent::KeyPress, Qt::Key_Colon, Qt::NoModifier, u":"_qs);
    EXPECT_EQ(JisKeyFromEvent(colon), (JisKey{186, 0}));
    const QKeyEvent altLetter(QEvent::KeyPress, Qt::Key_K, Qt::AltModifier, u"k"_qs);
    EXPECT_EQ(JisKeyFromEvent(altLetter), (JisKey{'K', 4}));
}

}  // namespace
}  // namespace kanoby
