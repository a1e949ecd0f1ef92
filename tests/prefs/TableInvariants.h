// What must hold of the kana–romaji table whatever a Roman.ini holds, and
// what moved in it. Shared by the prefs tests and the Roman.ini fuzz target.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "tables/JudgeTableSet.h"

namespace kanoby {

// Empty when `table` keeps every invariant, compared with `initial`, the table
// before any preference was applied; otherwise the first fault found.
inline std::string TableInvariantFault(const JudgeTableSet& table, const JudgeTableSet& initial) {
    // The non-empty spellings of a unit in a fixed order, without allocating:
    // the fuzz target calls this for every input.
    using Kept = std::array<std::u16string_view, kSlotCount>;
    auto sorted = [](const JudgeTableSet::Spellings& all) {
        Kept kept{};
        size_t count = 0;
        for (const auto& spelling : all) {
            if (!spelling.empty())
                kept[count++] = spelling;
        }
        std::sort(kept.begin(), kept.begin() + count);
        return kept;
    };
    for (int unit = 0; unit < kUnitCount; ++unit) {
        auto where = [unit] { return "unit " + std::to_string(unit) + ": "; };
        if (table.KanaTable[unit] != initial.KanaTable[unit])
            return where() + "kana changed";
        // Found at its own unit: the kana are distinct.
        if (table.FindUnit(table.KanaTable[unit]) != unit)
            return where() + "kana not distinct";
        if (table.HankakuTable[unit] != initial.HankakuTable[unit])
            return where() + "keys changed";
        if (table.ChoiceFlagTable[unit] != initial.ChoiceFlagTable[unit]) {
            return where() + "choice flag changed";
        }
        const auto& current = table.RomajiTable[unit];
        if (current[0].empty())
            return where() + "slot 0 empty";
        if (current[1].empty() && !current[2].empty())
            return where() + "slot 2 without slot 1";
        if (sorted(current) != sorted(initial.RomajiTable[unit])) {
            return where() + "spellings are not those it started with";
        }
    }
    return {};
}

// The units whose spellings differ from `initial`'s, as "kana:slot0,slot1"
// in unit order and separated by spaces, empty slots left out.
inline std::u16string ChangedUnits(const JudgeTableSet& table, const JudgeTableSet& initial) {
    std::u16string changes;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if (table.RomajiTable[unit] == initial.RomajiTable[unit])
            continue;
        changes += (changes.empty() ? u"" : u" ") + table.KanaTable[unit] + u':';
        for (const auto& spelling : table.RomajiTable[unit]) {
            if (!spelling.empty())
                changes += spelling + u',';
        }
        changes.pop_back();
    }
    return changes;
}

}  // namespace kanoby
