// Types arbitrary key sequences at readings drawn from a small alphabet, in
// both input modes and under any order of preferred spellings, and stops at
// the first keystroke after which the typing state breaks one of its rules.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "judge/Judge.h"
#include "judge/Keystroke.h"
#include "tables/CodeChangeTableSet.h"
#include "tables/JudgeTableSet.h"
#include "tests/judge/TypingInvariants.h"

namespace {

// Single characters a reading is made of: units, small kana, っ and ん more
// than once, Latin letters, digits, a kanji, katakana and a hiragana ゔ.
constexpr std::u16string_view kAlphabet =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっゎヵヶヴー、。「」・"
    u"っっっんんんゃゅょぁぃぇ"
    u"aknxtlsyAKN019 -,.~|字カゔ";

[[noreturn]] void Fail(const std::string& what, const kanoby::Judge& judge) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), kanoby::DescribeTypingState(judge).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kanoby;
    static CodeChangeTableSet keys = [] {
        CodeChangeTableSet table;
        table.SetCodeChangeTable();
        return table;
    }();
    if (size < 2)
        return 0;
    JudgeTableSet table;
    table.SetJudgeTable();

    // Byte 0: the input mode and a preference order; byte 1: the reading's length.
    const InputMode mode = (data[0] & 1) ? InputMode::Kana : InputMode::Romaji;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const auto& slots = table.RomajiTable[unit];
        const int pick = (data[0] >> 1) % kSlotCount;
        if (!slots[pick].empty())
            table.PreferSpelling(table.KanaTable[unit], std::u16string(slots[pick]));
    }
    std::size_t at = 2;
    std::u16string reading;
    for (std::size_t length = data[1] % 24; length > 0 && at < size; --length) {
        reading += kAlphabet[data[at++] % kAlphabet.size()];
    }

    Judge judge(table);
    CodeChage lookup(keys);
    judge.StartQuestion(reading, mode);
    if (const std::string broken = InvariantViolation(judge, table, mode); !broken.empty()) {
        Fail("after the start: " + broken, judge);
    }
    for (; at < size; ++at) {
        // Mostly rows of the key table, sometimes a key it does not hold.
        const int row = data[at] % (kKeyRowCount + 16);
        const KeyStroke key = row < kKeyRowCount
                                  ? KeyStroke{keys.KeyCodeTable[row], keys.ShiftTable[row]}
                                  : KeyStroke{row, (row % 7) + 1};
        const Judge before = judge;
        const bool wasComplete = judge.ReadPos == judge.Reading.size() + 1;
        const std::string name =
            "key " + std::to_string(key.keyCode) + " shift " + std::to_string(key.shift);
        const KeyVerdict verdict = JudgeKeyDown(lookup, judge, key.keyCode, key.shift, mode);
        if (verdict == KeyVerdict::NotInTable || verdict == KeyVerdict::Rejected) {
            if (judge.Reading != before.Reading || judge.ReadPos != before.ReadPos ||
                judge.TypedKeys != before.TypedKeys || judge.UnitKeys != before.UnitKeys ||
                judge.UnitRest != before.UnitRest || judge.GuideText != before.GuideText) {
                Fail("a key not taken (" + name + ") changed the state", judge);
            }
        } else {
            const bool nowComplete = judge.ReadPos == judge.Reading.size() + 1;
            if (wasComplete || (verdict == KeyVerdict::ReadingComplete) != nowComplete) {
                Fail("completion verdict wrong after " + name, judge);
            }
        }
        if (const std::string broken = InvariantViolation(judge, table, mode); !broken.empty()) {
            Fail("after " + name + ": " + broken, judge);
        }
    }
    return 0;
}
