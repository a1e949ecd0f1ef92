// What must hold of the kana–romaji table whatever a Roman.ini holds. Shared
// by the Roman.ini tests and its fuzz target.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tables/JudgeTableSet.h"

namespace kanoby {

// Empty when `table` keeps every invariant, compared with `initial`, the table
// before any preference was applied; otherwise the first fault found.
inline std::string TableInvariantFault(const JudgeTableSet& table, const JudgeTableSet& initial) {
    std::set<std::u16string> kana;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const std::string where = "unit " + std::to_string(unit) + ": ";
        if (table.KanaTable[unit] != initial.KanaTable[unit])
            return where + "kana changed";
        if (!kana.insert(table.KanaTable[unit]).second)
            return where + "kana not distinct";
        if (table.HankakuTable[unit] != initial.HankakuTable[unit])
            return where + "keys changed";
        if (table.ChoiceFlagTable[unit] != initial.ChoiceFlagTable[unit]) {
            return where + "choice flag changed";
        }
        const auto& current = table.RomajiTable[unit];
        if (current[0].empty())
            return where + "slot 0 empty";
        if (current[1].empty() && !current[2].empty())
            return where + "slot 2 without slot 1";
        auto spellings = [](const JudgeTableSet::Spellings& all) {
            std::vector<std::u16string> kept;
            for (const auto& spelling : all) {
                if (!spelling.empty())
                    kept.push_back(spelling);
            }
            std::sort(kept.begin(), kept.end());
            return kept;
        };
        if (spellings(current) != spellings(initial.RomajiTable[unit])) {
            return where + "spellings are not those it started with";
        }
    }
    if (kana.size() != kUnitCount)
        return "not 212 units";
    return {};
}

}  // namespace kanoby
