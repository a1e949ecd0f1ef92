// The rules the typing state keeps between any two keystrokes once a question
// is shown; shared by the property tests and the judge fuzzer.
#pragma once

#include <algorithm>
#include <string>

#include "judge/Judge.h"
#include "judge/Utf8.h"
#include "tables/JudgeTableSet.h"

namespace kanoby {

inline std::u16string GuideOf(const JudgeTableSet& table, InputMode mode,
                              const std::u16string& reading, std::size_t from) {
    Judge builder(table);
    const std::u16string tail = from <= reading.size() ? reading.substr(from - 1) : u"";
    std::u16string guide;
    if (mode == InputMode::Romaji) {
        builder.MakeRomanGuide(tail, guide);
    } else {
        builder.MakeKanaGuide(tail, guide);
    }
    return guide;
}

inline std::string DescribeTypingState(const Judge& judge) {
    return "reading " + ToUtf8(judge.Reading) + " at " + std::to_string(judge.ReadPos) +
           ", typed " + ToUtf8(judge.TypedKeys) + ", unit " + ToUtf8(judge.UnitKeys) + "+" +
           ToUtf8(judge.UnitRest) + ", guide " + ToUtf8(judge.GuideText);
}

// The first rule the state breaks, or an empty string.
inline std::string InvariantViolation(const Judge& judge, const JudgeTableSet& table,
                                      InputMode mode) {
    const std::u16string& reading = judge.Reading;
    if (judge.ReadPos < 1 || judge.ReadPos > reading.size() + 1)
        return "ReadPos out of range";
    if (judge.ReadPos == reading.size() + 1) {
        if (!judge.GuideText.empty())
            return "guide left after the end";
        if (!judge.UnitKeys.empty())
            return "unit begun after the end";
        return {};
    }
    const char16_t current = reading[judge.ReadPos - 1];
    const int single = table.FindSingleUnit(current);
    const std::u16string begun = judge.UnitKeys + judge.UnitRest;
    const auto isSpellingOf = [&](int unit) {
        if (unit < 0)
            return false;
        const auto& slots = table.RomajiTable[unit];
        return std::find(slots.begin(), slots.end(), begun) != slots.end();
    };
    if (mode == InputMode::Romaji) {
        const bool singleN = current == u'ん' && judge.UnitKeys == u"n" && judge.UnitRest.empty();
        if (judge.UnitKeys.empty()) {
            if (!judge.UnitRest.empty())
                return "rest of a unit that is not begun";
        } else if (!singleN) {
            if (judge.UnitRest.empty())
                return "begun unit without a rest";
            const int pair = judge.ReadPos < reading.size()
                                 ? table.FindPairUnit(current, reading[judge.ReadPos])
                                 : -1;
            if (!isSpellingOf(single) && !isSpellingOf(pair))
                return "begun keys spell no unit here";
        }
        if (judge.UnitRest.empty()) {
            if (judge.GuideText != GuideOf(table, mode, reading, judge.ReadPos))
                return "guide is not the rest";
        } else if (judge.GuideText !=
                       judge.UnitRest + GuideOf(table, mode, reading, judge.ReadPos + 1) &&
                   judge.GuideText !=
                       judge.UnitRest + GuideOf(table, mode, reading, judge.ReadPos + 2)) {
            return "guide does not follow the begun unit";
        }
        return {};
    }
    if (!judge.UnitRest.empty()) {
        // A key without kana (the space bar) is taken at a kana without
        // progress; the kana's keys then all stand in UnitRest.
        if (single < 0 || begun != table.HankakuTable[single])
            return "begun keys are not this kana's";
    } else if (!judge.UnitKeys.empty()) {
        return "begun unit without a rest";
    }
    const std::size_t tail = judge.UnitRest.empty() ? judge.ReadPos : judge.ReadPos + 1;
    if (judge.GuideText != judge.UnitRest + GuideOf(table, mode, reading, tail))
        return "guide is not the rest";
    return {};
}

}  // namespace kanoby
