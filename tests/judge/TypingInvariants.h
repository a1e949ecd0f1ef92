// The rules the typing state keeps between any two keystrokes once a question
// is shown; shared by the property tests and the judge fuzzer.
#pragma once

#include <algorithm>
#include <string>

#include "judge/Judge.h"
#include "judge/Utf8.h"

namespace kanoby {

inline std::string DescribeTypingState(const Judge& judge) {
    return "reading " + ToUtf8(judge.Reading) + " at " + std::to_string(judge.ReadPos) +
           ", typed " + ToUtf8(judge.TypedKeys) + ", unit " + ToUtf8(judge.UnitKeys) + "+" +
           ToUtf8(judge.UnitRest) + ", guide " + ToUtf8(judge.GuideText);
}

// The first rule the state breaks, or an empty string.
inline std::string InvariantViolation(const Judge& judge, const JudgeTableSet& table,
                                      InputMode mode) {
    const std::u16string& reading = judge.Reading;
    const std::size_t pos = judge.ReadPos;
    if (pos < 1 || pos > reading.size() + 1)
        return "ReadPos out of range";
    if (pos == reading.size() + 1)
        return judge.GuideText.empty() && judge.UnitKeys.empty() ? "" : "state left after the end";
    const auto guideFrom = [&](std::size_t from) {
        Judge builder(table);
        std::u16string guide;
        const std::u16string tail = from <= reading.size() ? reading.substr(from - 1) : u"";
        mode == InputMode::Romaji ? builder.MakeRomanGuide(tail, guide)
                                  : builder.MakeKanaGuide(tail, guide);
        return judge.UnitRest + guide;
    };
    const std::u16string begun = judge.UnitKeys + judge.UnitRest;
    const auto spells = [&](int unit) {
        if (unit < 0)
            return false;
        if (mode == InputMode::Kana)
            return table.HankakuTable[unit] == begun;
        const auto& slots = table.RomajiTable[unit];
        return std::find(slots.begin(), slots.end(), begun) != slots.end();
    };
    const int single = table.FindSingleUnit(TypedAs(reading[pos - 1]));
    const int pair =
        pos < reading.size() ? table.FindPairUnit(TypedAs(reading[pos - 1]), reading[pos]) : -1;
    // After a single n toward ん nothing of it is owed.
    const bool singleN = mode == InputMode::Romaji && reading[pos - 1] == u'ん' &&
                         judge.UnitKeys == u"n" && judge.UnitRest.empty();
    if (judge.UnitKeys.empty() && !judge.UnitRest.empty() && mode == InputMode::Romaji)
        return "rest of a unit that is not begun";
    if (!judge.UnitKeys.empty() && judge.UnitRest.empty() && !singleN)
        return "begun unit without a rest";
    // In kana input a key without kana is taken without progress: the whole
    // key text of the kana then stands in UnitRest.
    if (!judge.UnitRest.empty() && !spells(single) && !(mode == InputMode::Romaji && spells(pair)))
        return "begun keys spell no unit here";
    if (judge.UnitRest.empty())
        return judge.GuideText == guideFrom(pos) ? "" : "guide is not the rest";
    return judge.GuideText == guideFrom(pos + 1) ||
                   (mode == InputMode::Romaji && judge.GuideText == guideFrom(pos + 2))
               ? ""
               : "guide does not follow the begun unit";
}

}  // namespace kanoby
