// The rules of both judges over many seeded random readings and preference
// orders: the guide typed as shown completes the reading; a key not taken
// changes nothing; the state keeps its rules after every key; the next key
// of the guide is always taken, whatever was typed before.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "judge/Keystroke.h"
#include "tests/judge/TypingInvariants.h"

namespace kanoby {
namespace {

// Typed as themselves, as the ASCII character they stand for, as ヴ, or
// (kanji, katakana, a tab) by no key at all.
constexpr std::u16string_view kOutsideTheTable = u"abnxkzACNX019 -,.!?/[]@~|！？Ａｂ１　～ゔ字カ\t";

struct Engine {
    Engine() {
        keys.SetCodeChangeTable();
        table.SetJudgeTable();
        initial = table.RomajiTable;
    }
    CodeChangeTableSet keys;
    JudgeTableSet table;
    decltype(JudgeTableSet::RomajiTable) initial;
};

template <typename T>
T Pick(std::mt19937& random, T low, T high) {
    return std::uniform_int_distribution<T>(low, high)(random);
}

// 1 to 6 pieces: units of the table (っ, ん and small kana more often than
// chance) and characters outside it.
std::u16string RandomReading(std::mt19937& random, const JudgeTableSet& table) {
    std::u16string reading;
    for (int n = Pick(random, 1, 6); n > 0; --n) {
        const int kind = Pick(random, 0, 9);
        if (kind == 0)
            reading += Pick(random, 0, 1) ? u"っ" : u"ん";
        else if (kind == 1)
            reading += table.KanaTable[Pick(random, 71, 82)];
        else if (kind == 2 && Pick(random, 0, 3) == 0)
            reading += u"ゔ" + table.KanaTable[Pick(random, 71, 78)];
        else if (kind == 2)
            reading += kOutsideTheTable[Pick<std::size_t>(random, 0, kOutsideTheTable.size() - 1)];
        else
            reading += table.KanaTable[Pick(random, 0, kUnitCount - 1)];
    }
    return reading;
}

// ゎ, ヵ and ヶ have no kana keys: in kana input the space bar passes them.
bool Keyless(const Engine& engine, const Judge& judge, InputMode mode) {
    const int unit = engine.table.FindSingleUnit(judge.Reading[judge.ReadPos - 1]);
    return mode == InputMode::Kana && unit >= 0 && engine.table.HankakuTable[unit].empty();
}

bool Done(const Judge& judge) {
    return judge.ReadPos == judge.Reading.size() + 1;
}

TEST(JudgePropertyTest, TheGuideIsWhatTheJudgeTakes) {
    Engine engine;
    CodeChage lookup(engine.keys);
    for (unsigned seed = 1; seed <= 20000; ++seed) {
        std::mt19937 random(seed);
        engine.table.RomajiTable = engine.initial;
        if (seed % 2 == 0) {
            for (auto& slots : engine.table.RomajiTable)
                std::shuffle(slots.begin(), std::find(slots.begin(), slots.end(), u""), random);
        }
        const std::u16string reading = RandomReading(random, engine.table);
        for (const InputMode mode : {InputMode::Romaji, InputMode::Kana}) {
            Judge judge(engine.table);
            judge.StartQuestion(reading, mode);
            SCOPED_TRACE("seed " + std::to_string(seed) + (mode == InputMode::Kana ? " kana" : ""));

            // The guide shown at the start, typed key by key.
            const std::u16string guide = judge.GuideText;
            std::size_t shown = 0;
            while (!Done(judge)) {
                std::optional<KeyStroke> key = KeyStroke{32, 0};
                if (!Keyless(engine, judge, mode)) {
                    ASSERT_LT(shown, guide.size()) << DescribeTypingState(judge);
                    key = KeyTyping(engine.keys, guide[shown]);
                    if (!key) {  // only a character of the reading that no key types
                        ASSERT_EQ(guide[shown], judge.Reading[judge.ReadPos - 1]);
                        ASSERT_FALSE(IsTypeable(engine.table, engine.keys, guide[shown]));
                        break;
                    }
                    ++shown;
                }
                const std::string before = DescribeTypingState(judge);
                ASSERT_NE(JudgeKeyDown(lookup, judge, key->keyCode, key->shift, mode),
                          KeyVerdict::Rejected)
                    << before << ", guide " << ToUtf8(guide) << ", key " << key->keyCode;
                ASSERT_EQ(InvariantViolation(judge, engine.table, mode), "")
                    << DescribeTypingState(judge);
            }
            // Exactly the readings that are not named at start-up get typed.
            ASSERT_EQ(Done(judge), std::all_of(reading.begin(), reading.end(), [&](char16_t c) {
                          return IsTypeable(engine.table, engine.keys, c);
                      }));
            if (Done(judge)) {
                ASSERT_EQ(shown, guide.size()) << "guide longer than the reading needs";
            }

            // Stray keys among the guide's next keys: a key not taken changes
            // nothing, and the guide's next key is always taken.
            judge.StartQuestion(reading, mode);
            bool blocked = false;
            for (int press = 0; !Done(judge) && !blocked; ++press) {
                ASSERT_LT(press, 200) << DescribeTypingState(judge);
                const bool stray = press < 40 && Pick(random, 0, 3) == 0;
                std::optional<KeyStroke> key = KeyStroke{32, 0};
                if (stray) {
                    const int row = Pick(random, 0, kKeyRowCount + 3);
                    key = row < kKeyRowCount ? KeyStroke{engine.keys.KeyCodeTable[row],
                                                         engine.keys.ShiftTable[row]}
                                             : KeyStroke{65, 2 + row % 6};
                } else if (!Keyless(engine, judge, mode)) {
                    key = KeyTyping(engine.keys, judge.GuideText[0]);
                    blocked = !key;
                    if (blocked)
                        break;
                }
                const Judge before = judge;
                const KeyVerdict verdict =
                    JudgeKeyDown(lookup, judge, key->keyCode, key->shift, mode);
                if (verdict == KeyVerdict::NotInTable || verdict == KeyVerdict::Rejected) {
                    ASSERT_TRUE(stray)
                        << "the guide's key was not taken: " << DescribeTypingState(before);
                    ASSERT_TRUE(
                        judge.ReadPos == before.ReadPos && judge.TypedKeys == before.TypedKeys &&
                        judge.UnitKeys == before.UnitKeys && judge.UnitRest == before.UnitRest &&
                        judge.GuideText == before.GuideText)
                        << "key " << key->keyCode << " changed " << DescribeTypingState(before);
                }
                ASSERT_EQ(verdict == KeyVerdict::ReadingComplete, Done(judge));
                ASSERT_EQ(InvariantViolation(judge, engine.table, mode), "")
                    << DescribeTypingState(judge);
            }
        }
    }
}

}  // namespace
}  // namespace kanoby
