// The rules the typing state keeps between any two keystrokes once a question
// is shown; shared by the property test and the judge fuzzer.
#pragma once

#include <algorithm>
#include <string>

#include "engine/Judge.h"
#include "engine/Utf8.h"

namespace kanoby {

inline std::string DescribeTypingState(const Judge& judge) {
    return "reading " + ToUtf8(judge.Reading) + " at " + std::to_string(judge.ReadPos) +
           ", typed " + ToUtf8(judge.TypedKeys) + ", unit " + ToUtf8(judge.UnitKeys) + "+" +
           ToUtf8(judge.UnitRest) + ", guide " + ToUtf8(judge.GuideText);
}

// The first rule the state breaks, or an empty string.
inline std::string InvariantViolation(const Judge& judge, const KanaRomajiTable& table,
                                      InputMode mode) {
    const std::u16string& reading = judge.Reading;
    const std::size_t pos = judge.ReadPos;
    if (pos < 1 || pos > reading.size() + 1)
        return "ReadPos out of range";
    if (pos == reading.size() + 1)
        return judge.GuideText.empty() && judge.UnitKeys.empty() ? "" : "state left after the end";
    const char16_t c = TypedAs(reading[pos - 1]);
    const int units[] = {table.FindSingleUnit(c),
                         pos < reading.size() ? table.FindPairUnit(c, reading[pos]) : -1};
    // The begun keys and their rest spell the unit at ReadPos. Exceptions: a
    // single n toward ん owes nothing; in kana input a key without kana is
    // taken without progress, and the whole key text then stands in UnitRest.
    const std::u16string begun = judge.UnitKeys + judge.UnitRest;
    const bool spelt = std::any_of(std::begin(units), std::end(units), [&](int unit) {
        const auto& spellings = table.RomajiTable[unit < 0 ? 0 : unit];
        return unit >= 0 && (mode == InputMode::Kana ? table.HankakuTable[unit] == begun
                                                     : std::find(spellings.begin(), spellings.end(),
                                                                 begun) != spellings.end());
    });
    const bool singleN = mode == InputMode::Romaji && c == u'ん' && begun == u"n";
    if (!begun.empty() && !spelt && !singleN)
        return "begun keys spell no unit here";
    if (judge.UnitRest.empty() != (judge.UnitKeys.empty() || singleN) &&
        (mode == InputMode::Romaji || !judge.UnitKeys.empty()))
        return "a begun unit and its rest disagree";
    if (!judge.TypedKeys.ends_with(judge.UnitKeys))
        return "the begun keys are not the last ones typed";
    // The guide is the rest of the begun unit, then the guide of what follows.
    for (std::size_t from = pos + !begun.empty(); from <= pos + 2; ++from) {
        Judge builder(table);
        std::u16string guide;
        const std::u16string tail = from <= reading.size() ? reading.substr(from - 1) : u"";
        mode == InputMode::Romaji ? builder.MakeRomanGuide(tail, guide)
                                  : builder.MakeKanaGuide(tail, guide);
        if (judge.GuideText == judge.UnitRest + guide)
            return "";
        if (begun.empty())
            break;
    }
    return "guide is not the rest";
}

}  // namespace kanoby
