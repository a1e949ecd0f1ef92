// The key translation table: what each key of a Japanese JIS keyboard types,
// as a Latin character and as the half-width kana printed on it, read from
// the Windows virtual-key code and the shift mask of a key-down.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

namespace kanoby {

inline constexpr int kKeyRowCount = 113;

// Shift mask bits as a key-down delivers them.
inline constexpr int kShiftBit = 1;
inline constexpr int kCtrlBit = 2;
inline constexpr int kAltBit = 4;

// Windows virtual-key codes of the keys other than the letters and digits,
// whose codes are their capitals and digits in ASCII. The keypad's digits
// follow kVkNumpad0 in order.
inline constexpr int kVkSpace = 32;
inline constexpr int kVkNumpad0 = 96;
inline constexpr int kVkMultiply = 106;
inline constexpr int kVkAdd = 107;
inline constexpr int kVkSubtract = 109;
inline constexpr int kVkDecimal = 110;
inline constexpr int kVkDivide = 111;
inline constexpr int kVkOem1 = 186;       // : *  ｹ
inline constexpr int kVkOemPlus = 187;    // ; +  ﾚ
inline constexpr int kVkOemComma = 188;   // , <  ﾈ
inline constexpr int kVkOemMinus = 189;   // - =  ﾎ
inline constexpr int kVkOemPeriod = 190;  // . >  ﾙ
inline constexpr int kVkOem2 = 191;       // / ?  ﾒ
inline constexpr int kVkOem3 = 192;       // @ `  ﾞ
inline constexpr int kVkOem4 = 219;       // [ {  ﾟ
inline constexpr int kVkOem5 = 220;       // ¥ |  ｰ
inline constexpr int kVkOem6 = 221;       // ] }  ﾑ
inline constexpr int kVkOem7 = 222;       // ^ ~  ﾍ
inline constexpr int kVkOem102 = 226;     // \ _  ﾛ

// What a key types: the Latin character (empty for Shift with the digit 0
// key) and the half-width kana printed on it (empty where it has none).
struct KeyTranslation {
    std::u16string_view character;
    std::u16string_view kana;
};

class KeyTable {
  public:
    std::array<int, kKeyRowCount> KeyCodeTable{};
    std::array<int, kKeyRowCount> ShiftTable{};
    std::array<std::u16string, kKeyRowCount> CharTable;
    std::array<std::u16string, kKeyRowCount> KanaKeyTable;

    void Build();

    // The row of (key code, shift mask), or -1. The mask is compared whole,
    // so Ctrl and Alt never match.
    int FindRow(int keyCode, int shift) const;

    // What the key (key code, shift mask) types; nullopt when the table does
    // not hold it.
    std::optional<KeyTranslation> Translate(int keyCode, int shift) const;

  private:
    std::unordered_map<long long, int> rowIndex_;
};

// A key-down as the key table is keyed: virtual-key code and shift mask.
struct KeyStroke {
    int keyCode = 0;  // 0 for a key that types nothing here
    int shift = 0;    // kShiftBit, kCtrlBit and kAltBit combined

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The key-down that types `c`: the first row of the table whose character is
// `c`, failing that the first whose kana is `c`.
std::optional<KeyStroke> KeyTyping(const KeyTable& keys, char16_t c);

}  // namespace kanoby
