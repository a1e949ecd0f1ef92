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

class CodeChangeTableSet {
  public:
    std::array<int, kKeyRowCount> KeyCodeTable{};
    std::array<int, kKeyRowCount> ShiftTable{};
    std::array<std::u16string, kKeyRowCount> CharTable;
    std::array<std::u16string, kKeyRowCount> KanaKeyTable;

    void SetCodeChangeTable();

    // The row of (key code, shift mask), or -1. The mask is compared whole,
    // so Ctrl and Alt never match.
    int FindRow(int keyCode, int shift) const;

  private:
    std::unordered_map<long long, int> rowIndex_;
};

// The lookup of one key: set InKeyCode and InShift, call ChangeCode, read
// OutStatus ("0" found, "1" not) and then OutChar and OutKana.
class CodeChage {
  public:
    explicit CodeChage(const CodeChangeTableSet& table) : table_(table) {}

    int InKeyCode = 0;
    int InShift = 0;
    std::u16string OutChar;
    std::u16string OutKana;
    std::u16string OutStatus;
    int OutIndex = 0;

    void ChangeCode();

  private:
    const CodeChangeTableSet& table_;
};

// A key-down as the key table is keyed: virtual-key code and shift mask.
struct KeyStroke {
    int keyCode = 0;
    int shift = 0;
};

// The key-down that types `c`: the first row of the table whose character is
// `c`, failing that the first whose kana is `c`.
std::optional<KeyStroke> KeyTyping(const CodeChangeTableSet& keys, char16_t c);

}  // namespace kanoby
