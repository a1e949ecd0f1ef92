// Every key of the JIS keyboard reaches the key table under the virtual-key
// code of its place on the keyboard, whatever the selected layout says.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/JisKeys.h"

namespace kanoby {
namespace {

TEST(XKeycodeTest, EveryJisKeyMapsToItsVirtualKey) {
    // clang-format off
    std::vector<std::pair<quint32, int>> rows = {
        {19, 48}, {20, 189}, {21, 222}, {132, 220}, {34, 192}, {35, 219}, {47, 187}, {48, 186},
        {51, 221}, {59, 188}, {60, 190}, {61, 191}, {97, 226}, {65, 32}, {36, 13}, {104, 13},
        {90, 96}, {87, 97}, {88, 98}, {89, 99}, {83, 100}, {84, 101}, {85, 102}, {79, 103},
        {80, 104}, {81, 105}, {63, 106}, {86, 107}, {82, 109}, {91, 110}, {106, 111},
        // Esc, Backspace, Tab, 半角/全角, both Shifts, Ctrl, Alt, 変換, F1: none of ours.
        {9, 0}, {22, 0}, {23, 0}, {49, 0}, {50, 0}, {62, 0}, {37, 0}, {64, 0}, {100, 0}, {67, 0},
        {0, 0}, {70000, 0},
    };
    // clang-format on
    const auto run = [&rows](quint32 first, std::string_view keys) {
        for (const char key : keys) {
            rows.emplace_back(first++, key);
        }
    };
    run(10, "123456789");
    run(24, "QWERTYUIOP");
    run(38, "ASDFGHJKL");
    run(52, "ZXCVBNM");
    for (const auto& [keycode, virtualKey] : rows) {
        EXPECT_EQ(VirtualKeyFromXKeycode(keycode, true), virtualKey) << "X " << keycode;
    }
}

TEST(XKeycodeTest, KeypadDigitsTypeNothingWithNumLockOff) {
    for (const quint32 keycode : {90u, 87u, 88u, 89u, 83u, 84u, 85u, 79u, 80u, 81u, 91u}) {
        EXPECT_EQ(VirtualKeyFromXKeycode(keycode, false), 0) << "X " << keycode;
    }
    // The keypad's operators and Enter do not depend on NumLock.
    EXPECT_EQ(VirtualKeyFromXKeycode(63, false), 106);
    EXPECT_EQ(VirtualKeyFromXKeycode(104, false), 13);
}

TEST(QtKeyFallbackTest, ReadsTheQtKeyAsTheJisLayout) {
    constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
    constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    constexpr Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    struct Row {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int virtualKey;
    };
    // clang-format off
    const Row rows[] = {
        {Qt::Key_A, none, 65}, {Qt::Key_Z, shift, 90}, {Qt::Key_0, none, 48}, {Qt::Key_9, none, 57},
        {Qt::Key_Space, none, 32}, {Qt::Key_Return, none, 13}, {Qt::Key_Enter, keypad, 13},
        {Qt::Key_At, none, 192}, {Qt::Key_BracketLeft, none, 219}, {Qt::Key_Colon, none, 186},
        {Qt::Key_Semicolon, none, 187}, {Qt::Key_AsciiCircum, none, 222}, {Qt::Key_BracketRight, none, 221},
        {Qt::Key_Minus, none, 189}, {Qt::Key_Comma, none, 188}, {Qt::Key_Period, none, 190}, {Qt::Key_Slash, none, 191},
        {Qt::Key_yen, none, 220}, {Qt::Key_Backslash, none, 226},
        // Shifted keys give the JIS key they are typed on.
        {Qt::Key_QuoteLeft, shift, 192}, {Qt::Key_BraceLeft, shift, 219}, {Qt::Key_Asterisk, shift, 186},
        {Qt::Key_Plus, shift, 187}, {Qt::Key_AsciiTilde, shift, 222}, {Qt::Key_BraceRight, shift, 221},
        {Qt::Key_Equal, shift, 189}, {Qt::Key_Less, shift, 188}, {Qt::Key_Greater, shift, 190},
        {Qt::Key_Question, shift, 191}, {Qt::Key_Bar, shift, 220}, {Qt::Key_Underscore, shift, 226},
        {Qt::Key_Exclam, shift, 49}, {Qt::Key_QuoteDbl, shift, 50}, {Qt::Key_ParenRight, shift, 57},
        {Qt::Key_0, keypad, 96}, {Qt::Key_9, keypad, 105}, {Qt::Key_Asterisk, keypad, 106},
        {Qt::Key_Plus, keypad, 107}, {Qt::Key_Minus, keypad, 109}, {Qt::Key_Period, keypad, 110}, {Qt::Key_Slash, keypad, 111},
        // Keypad Home (NumLock off), a modifier alone, keys of no reading, a kana letter.
        {Qt::Key_Home, keypad, 0}, {Qt::Key_Shift, shift, 0}, {Qt::Key_F1, none, 0}, {0x30A2, none, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(VirtualKeyFromQtKey(row.qtKey, row.modifiers), row.virtualKey)
            << "Qt key 0x" << std::hex << row.qtKey << " modifiers 0x" << row.modifiers.toInt();
    }
}

TEST(ShiftMaskTest, ShiftCtrlAltAreOneTwoFourAndNothingElseCounts) {
    EXPECT_EQ(ShiftMask(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::ControlModifier), 2);
    EXPECT_EQ(ShiftMask(Qt::AltModifier), 4);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(ShiftMask(Qt::MetaModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier), 0);
}

struct EventRow {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 nativeScanCode;  // 0: a synthesized event
    const char16_t* text;
    JisKey key;
};

void PrintTo(const EventRow& row, std::ostream* os) {
    *os << row.name;
}

class JisKeyFromEventTest : public ::testing::TestWithParam<EventRow> {};

TEST_P(JisKeyFromEventTest, ReadsThePlaceOnTheKeyboard) {
    const EventRow& row = GetParam();
    const QKeyEvent event(QEvent::KeyPress, row.qtKey, row.modifiers, row.nativeScanCode, 0, 0,
                          QString::fromUtf16(row.text));
    EXPECT_EQ(JisKeyFromEvent(event), row.key);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Events, JisKeyFromEventTest, ::testing::Values(
    // A US layout types "[" on the JIS "@" key (X 34), a French one "A" on the Q key (X 24).
    EventRow{"ScanCodeWinsOverUsLayout", Qt::Key_BracketLeft, Qt::NoModifier, 34, u"[", {192, 0}},
    EventRow{"ScanCodeWinsOverAzerty", Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 24, u"A", {'Q', 3}},
    EventRow{"UnknownScanCodeIsNoneOfOurs", Qt::Key_QuoteLeft, Qt::NoModifier, 49, u"`", {0, 0}},
    EventRow{"KeypadDigitWithNumLock", Qt::Key_7, Qt::KeypadModifier, 79, u"7", {103, 0}},
    EventRow{"KeypadHomeWithoutNumLock", Qt::Key_Home, Qt::KeypadModifier, 79, u"", {0, 0}},
    EventRow{"KeypadDecimalTypingComma", Qt::Key_Comma, Qt::KeypadModifier, 91, u",", {110, 0}},
    EventRow{"NoScanCodeFallsBackToQtKey", Qt::Key_Colon, Qt::NoModifier, 0, u":", {186, 0}},
    EventRow{"NoScanCodeAltLetter", Qt::Key_K, Qt::AltModifier, 0, u"k", {'K', 4}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kanoby
