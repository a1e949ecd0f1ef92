#include "engine/Judge.h"

#include <algorithm>

namespace kanoby {

void Judge::StartQuestion(std::u16string_view reading, InputMode mode) {
    Reading = reading;
    ReadPos = 1;
    TypedKeys.clear();
    UnitKeys.clear();
    if (mode == InputMode::Romaji) {
        MakeRomanGuide(Reading, GuideText);
    } else {
        MakeKanaGuide(Reading, GuideText);
    }
    UnitRest.clear();
}

void Judge::ChangeInputMode(const InputMode from, const InputMode to) {
    if (from == to)
        return;
    TypedKeys.resize(TypedKeys.size() - std::min(UnitKeys.size(), TypedKeys.size()));
    UnitKeys.clear();
    UnitRest.clear();
    RebuildGuide(to, ReadPos);
}

void Judge::RebuildGuide(InputMode mode, std::size_t tailStart) {
    if (tailStart >= 1 && tailStart <= Reading.size()) {
        tail_.assign(Reading, tailStart - 1);
    } else {
        tail_.clear();
    }
    if (mode == InputMode::Romaji) {
        MakeRomanGuide(tail_, GuideText);
    } else {
        MakeKanaGuide(tail_, GuideText);
    }
    GuideText.insert(0, UnitRest);
}

}  // namespace kanoby
