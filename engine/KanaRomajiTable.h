// The kana–romaji table: every kana unit a reading can hold, the half-width
// kana keys that type it, its romaji spellings in order of preference and
// whether the settings dialog offers a choice among them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kanoby {

inline constexpr int kUnitCount = 212;
inline constexpr int kSlotCount = 3;

// Slot 0 of ん and っ hold these instead of a key sequence.
inline constexpr std::u16string_view kSingleNMarker = u"|";
inline constexpr std::u16string_view kDoublingMarker = u"~";

inline constexpr int kUnitN = 45;       // ん
inline constexpr int kUnitSokuon = 79;  // っ

class KanaRomajiTable {
  public:
    using Spellings = std::array<std::u16string, kSlotCount>;

    std::array<std::u16string, kUnitCount> KanaTable;
    std::array<std::u16string, kUnitCount> HankakuTable;
    std::array<Spellings, kUnitCount> RomajiTable;
    std::array<bool, kUnitCount> ChoiceFlagTable{};

    KanaRomajiTable();

    // Assigns every element, so a second call restores the initial order of
    // all spellings.
    void Build();

    // The unit whose text equals `text` exactly, or -1.
    int FindUnit(std::u16string_view text) const;
    // The one-character unit for `c`, or -1. Same result as FindUnit of that
    // one character, without building a string.
    int FindSingleUnit(char16_t c) const { return singleUnit_[c]; }
    // The two-character unit for `first`,`second`, or -1.
    int FindPairUnit(char16_t first, char16_t second) const;

    // Moves `spelling` into slot 0 of the unit `kana` by exchanging it with
    // the spelling there. Returns false, changing nothing, when the unit or
    // the spelling is not in the table.
    bool PreferSpelling(std::u16string_view kana, std::u16string_view spelling);

  private:
    void BuildIndex();

    // The kana column never changes after Build, so lookups by text
    // go through these instead of scanning all 212 units.
    std::array<std::int16_t, 0x10000> singleUnit_;
    std::unordered_map<std::uint32_t, std::int16_t> pairUnit_;
    // Characters that end some two-character unit; most positions of a
    // reading need no look into pairUnit_ at all.
    std::bitset<0x10000> pairSecond_;
};

}  // namespace kanoby
