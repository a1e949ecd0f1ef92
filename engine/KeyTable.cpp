#include "engine/KeyTable.h"

#include <string_view>

namespace kanoby {
namespace {

struct KeyRow {
    int keyCode;
    int shift;
    std::u16string_view character;
    std::u16string_view kana;
};

// One row per line, in table order: each key without Shift, then with Shift.
constexpr KeyRow kKeys[kKeyRowCount] = {
    {32, 0, u" ", u""},     // 0 VK_SPACE
    {32, 1, u" ", u""},     // 1 VK_SPACE
    {48, 0, u"0", u"ﾜ"},    // 2 digit 0 key
    {48, 1, u"", u"ｦ"},     // 3 digit 0 key
    {49, 0, u"1", u"ﾇ"},    // 4 digit 1 key
    {49, 1, u"!", u"ﾇ"},    // 5 digit 1 key
    {50, 0, u"2", u"ﾌ"},    // 6 digit 2 key
    {50, 1, u"\"", u"ﾌ"},   // 7 digit 2 key
    {51, 0, u"3", u"ｱ"},    // 8 digit 3 key
    {51, 1, u"#", u"ｧ"},    // 9 digit 3 key
    {52, 0, u"4", u"ｳ"},    // 10 digit 4 key
    {52, 1, u"$", u"ｩ"},    // 11 digit 4 key
    {53, 0, u"5", u"ｴ"},    // 12 digit 5 key
    {53, 1, u"%", u"ｪ"},    // 13 digit 5 key
    {54, 0, u"6", u"ｵ"},    // 14 digit 6 key
    {54, 1, u"&", u"ｫ"},    // 15 digit 6 key
    {55, 0, u"7", u"ﾔ"},    // 16 digit 7 key
    {55, 1, u"'", u"ｬ"},    // 17 digit 7 key
    {56, 0, u"8", u"ﾕ"},    // 18 digit 8 key
    {56, 1, u"(", u"ｭ"},    // 19 digit 8 key
    {57, 0, u"9", u"ﾖ"},    // 20 digit 9 key
    {57, 1, u")", u"ｮ"},    // 21 digit 9 key
    {65, 0, u"a", u"ﾁ"},    // 22 letter A key
    {65, 1, u"A", u"ﾁ"},    // 23 letter A key
    {66, 0, u"b", u"ｺ"},    // 24 letter B key
    {66, 1, u"B", u"ｺ"},    // 25 letter B key
    {67, 0, u"c", u"ｿ"},    // 26 letter C key
    {67, 1, u"C", u"ｿ"},    // 27 letter C key
    {68, 0, u"d", u"ｼ"},    // 28 letter D key
    {68, 1, u"D", u"ｼ"},    // 29 letter D key
    {69, 0, u"e", u"ｲ"},    // 30 letter E key
    {69, 1, u"E", u"ｨ"},    // 31 letter E key
    {70, 0, u"f", u"ﾊ"},    // 32 letter F key
    {70, 1, u"F", u"ﾊ"},    // 33 letter F key
    {71, 0, u"g", u"ｷ"},    // 34 letter G key
    {71, 1, u"G", u"ｷ"},    // 35 letter G key
    {72, 0, u"h", u"ｸ"},    // 36 letter H key
    {72, 1, u"H", u"ｸ"},    // 37 letter H key
    {73, 0, u"i", u"ﾆ"},    // 38 letter I key
    {73, 1, u"I", u"ﾆ"},    // 39 letter I key
    {74, 0, u"j", u"ﾏ"},    // 40 letter J key
    {74, 1, u"J", u"ﾏ"},    // 41 letter J key
    {75, 0, u"k", u"ﾉ"},    // 42 letter K key
    {75, 1, u"K", u"ﾉ"},    // 43 letter K key
    {76, 0, u"l", u"ﾘ"},    // 44 letter L key
    {76, 1, u"L", u"ﾘ"},    // 45 letter L key
    {77, 0, u"m", u"ﾓ"},    // 46 letter M key
    {77, 1, u"M", u"ﾓ"},    // 47 letter M key
    {78, 0, u"n", u"ﾐ"},    // 48 letter N key
    {78, 1, u"N", u"ﾐ"},    // 49 letter N key
    {79, 0, u"o", u"ﾗ"},    // 50 letter O key
    {79, 1, u"O", u"ﾗ"},    // 51 letter O key
    {80, 0, u"p", u"ｾ"},    // 52 letter P key
    {80, 1, u"P", u"ｾ"},    // 53 letter P key
    {81, 0, u"q", u"ﾀ"},    // 54 letter Q key
    {81, 1, u"Q", u"ﾀ"},    // 55 letter Q key
    {82, 0, u"r", u"ｽ"},    // 56 letter R key
    {82, 1, u"R", u"ｽ"},    // 57 letter R key
    {83, 0, u"s", u"ﾄ"},    // 58 letter S key
    {83, 1, u"S", u"ﾄ"},    // 59 letter S key
    {84, 0, u"t", u"ｶ"},    // 60 letter T key
    {84, 1, u"T", u"ｶ"},    // 61 letter T key
    {85, 0, u"u", u"ﾅ"},    // 62 letter U key
    {85, 1, u"U", u"ﾅ"},    // 63 letter U key
    {86, 0, u"v", u"ﾋ"},    // 64 letter V key
    {86, 1, u"V", u"ﾋ"},    // 65 letter V key
    {87, 0, u"w", u"ﾃ"},    // 66 letter W key
    {87, 1, u"W", u"ﾃ"},    // 67 letter W key
    {88, 0, u"x", u"ｻ"},    // 68 letter X key
    {88, 1, u"X", u"ｻ"},    // 69 letter X key
    {89, 0, u"y", u"ﾝ"},    // 70 letter Y key
    {89, 1, u"Y", u"ﾝ"},    // 71 letter Y key
    {90, 0, u"z", u"ﾂ"},    // 72 letter Z key
    {90, 1, u"Z", u"ｯ"},    // 73 letter Z key
    {96, 0, u"0", u""},     // 74 VK_NUMPAD0
    {97, 0, u"1", u""},     // 75 VK_NUMPAD1
    {98, 0, u"2", u""},     // 76 VK_NUMPAD2
    {99, 0, u"3", u""},     // 77 VK_NUMPAD3
    {100, 0, u"4", u""},    // 78 VK_NUMPAD4
    {101, 0, u"5", u""},    // 79 VK_NUMPAD5
    {102, 0, u"6", u""},    // 80 VK_NUMPAD6
    {103, 0, u"7", u""},    // 81 VK_NUMPAD7
    {104, 0, u"8", u""},    // 82 VK_NUMPAD8
    {105, 0, u"9", u""},    // 83 VK_NUMPAD9
    {106, 0, u"*", u""},    // 84 VK_MULTIPLY
    {107, 0, u"+", u""},    // 85 VK_ADD
    {109, 0, u"-", u""},    // 86 VK_SUBTRACT
    {110, 0, u".", u""},    // 87 VK_DECIMAL
    {111, 0, u"/", u""},    // 88 VK_DIVIDE
    {186, 0, u":", u"ｹ"},   // 89 VK_OEM_1
    {186, 1, u"*", u"ｹ"},   // 90 VK_OEM_1
    {187, 0, u";", u"ﾚ"},   // 91 VK_OEM_PLUS
    {187, 1, u"+", u"ﾚ"},   // 92 VK_OEM_PLUS
    {188, 0, u",", u"ﾈ"},   // 93 VK_OEM_COMMA
    {188, 1, u"<", u"､"},   // 94 VK_OEM_COMMA
    {189, 0, u"-", u"ﾎ"},   // 95 VK_OEM_MINUS
    {189, 1, u"=", u"ﾎ"},   // 96 VK_OEM_MINUS
    {190, 0, u".", u"ﾙ"},   // 97 VK_OEM_PERIOD
    {190, 1, u">", u"｡"},   // 98 VK_OEM_PERIOD
    {191, 0, u"/", u"ﾒ"},   // 99 VK_OEM_2
    {191, 1, u"?", u"･"},   // 100 VK_OEM_2
    {192, 0, u"@", u"ﾞ"},   // 101 VK_OEM_3
    {192, 1, u"`", u"ﾞ"},   // 102 VK_OEM_3
    {219, 0, u"[", u"ﾟ"},   // 103 VK_OEM_4
    {219, 1, u"{", u"｢"},   // 104 VK_OEM_4
    {220, 0, u"\\", u"ｰ"},  // 105 VK_OEM_5
    {220, 1, u"|", u"ｰ"},   // 106 VK_OEM_5
    {221, 0, u"]", u"ﾑ"},   // 107 VK_OEM_6
    {221, 1, u"}", u"｣"},   // 108 VK_OEM_6
    {222, 0, u"^", u"ﾍ"},   // 109 VK_OEM_7
    {222, 1, u"~", u"ﾍ"},   // 110 VK_OEM_7
    {226, 0, u"\\", u"ﾛ"},  // 111 VK_OEM_102
    {226, 1, u"_", u"ﾛ"},   // 112 VK_OEM_102
};

long long IndexKey(int keyCode, int shift) {
    return (static_cast<long long>(keyCode) << 32) ^ static_cast<unsigned int>(shift);
}

}  // namespace

void KeyTable::Build() {
    for (int row = 0; row < kKeyRowCount; ++row)
        KeyCodeTable[row] = kKeys[row].keyCode;
    for (int row = 0; row < kKeyRowCount; ++row)
        ShiftTable[row] = kKeys[row].shift;
    for (int row = 0; row < kKeyRowCount; ++row)
        CharTable[row] = kKeys[row].character;
    for (int row = 0; row < kKeyRowCount; ++row)
        KanaKeyTable[row] = kKeys[row].kana;
    rowIndex_.clear();
    for (int row = kKeyRowCount - 1; row >= 0; --row) {
        rowIndex_[IndexKey(KeyCodeTable[row], ShiftTable[row])] = row;
    }
}

int KeyTable::FindRow(int keyCode, int shift) const {
    const auto found = rowIndex_.find(IndexKey(keyCode, shift));
    return found == rowIndex_.end() ? -1 : found->second;
}

std::optional<KeyTranslation> KeyTable::Translate(const int keyCode, const int shift) const {
    const int row = FindRow(keyCode, shift);
    if (row < 0)
        return std::nullopt;
    return KeyTranslation{CharTable[row], KanaKeyTable[row]};
}

std::optional<KeyStroke> KeyTyping(const KeyTable& keys, const char16_t c) {
    const std::u16string_view wanted(&c, 1);
    for (const auto* column : {&keys.CharTable, &keys.KanaKeyTable}) {
        for (int row = 0; row < kKeyRowCount; ++row) {
            if ((*column)[row] == wanted)
                return KeyStroke{keys.KeyCodeTable[row], keys.ShiftTable[row]};
        }
    }
    return std::nullopt;
}

}  // namespace kanoby
