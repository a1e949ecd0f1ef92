// What no Roman.ini may break in the kana–romaji table.
#pragma once

#include <algorithm>
#include <string>

#include "engine/KanaRomajiTable.h"

namespace kanoby {

// Empty while `table` holds the kana and spellings of `initial`, the spellings
// of a unit only reordered, slot 0 filled and no gap before slot 2; else the
// unit at fault. Spellings this short copy without allocating.
inline std::string TableInvariantFault(const KanaRomajiTable& table,
                                       const KanaRomajiTable& initial) {
    for (int unit = 0; unit < kUnitCount; ++unit) {
        auto now = table.RomajiTable[unit], before = initial.RomajiTable[unit];
        const bool gap = now[0].empty() || (now[1].empty() && !now[2].empty());
        std::sort(now.begin(), now.end());
        std::sort(before.begin(), before.end());
        if (gap || now != before || table.KanaTable[unit] != initial.KanaTable[unit])
            return "unit " + std::to_string(unit);
    }
    return {};
}

}  // namespace kanoby
