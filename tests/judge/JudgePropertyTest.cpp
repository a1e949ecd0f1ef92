// General rules of both judges checked over many seeded random readings,
// preference orders and key sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "judge/Judge.h"
#include "judge/Utf8.h"
#include "tables/CodeChangeTableSet.h"
#include "tables/JudgeTableSet.h"
#include "tests/judge/TypingInvariants.h"
#include "tools/Trace.h"

namespace kanoby {
namespace {

constexpr std::u16string_view kTypeableOutsideCharacters = u"abnxkzACNX019 -,.!?/[]@";

struct Engine {
    Engine() {
        keys.SetCodeChangeTable();
        table.SetJudgeTable();
    }
    CodeChangeTableSet keys;
    JudgeTableSet table;
};

struct State {
    std::u16string Reading;
    std::size_t ReadPos;
    std::u16string TypedKeys, UnitKeys, UnitRest, GuideText;
    bool operator==(const State&) const = default;
};

State Snapshot(const Judge& judge) {
    return {judge.Reading,  judge.ReadPos,  judge.TypedKeys,
            judge.UnitKeys, judge.UnitRest, judge.GuideText};
}

// Readings of table units (singles and pairs) and typeable characters outside
// the table, with っ, ん and small kana more frequent than chance.
std::u16string RandomRomajiReading(std::mt19937& random, const JudgeTableSet& table) {
    std::u16string reading;
    const int length = std::uniform_int_distribution(0, 12)(random);
    for (int i = 0; i < length; ++i) {
        switch (std::uniform_int_distribution(0, 9)(random)) {
            case 0:
                reading += u"っ";
                break;
            case 1:
                reading += u"ん";
                break;
            case 2:
                reading += table.KanaTable[std::uniform_int_distribution(71, 82)(random)];
                break;
            case 3:
                reading += kTypeableOutsideCharacters[std::uniform_int_distribution<std::size_t>(
                    0, kTypeableOutsideCharacters.size() - 1)(random)];
                break;
            default:
                reading +=
                    table.KanaTable[std::uniform_int_distribution(0, kUnitCount - 1)(random)];
        }
    }
    return reading;
}

// Readings whose every character has kana keys or is typed by some key.
std::u16string RandomKanaReading(std::mt19937& random, const JudgeTableSet& table) {
    std::vector<std::u16string> typeable;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if (!table.HankakuTable[unit].empty())
            typeable.push_back(table.KanaTable[unit]);
    }
    for (const char16_t c : kTypeableOutsideCharacters)
        typeable.emplace_back(1, c);
    std::u16string reading;
    const int length = std::uniform_int_distribution(0, 12)(random);
    for (int i = 0; i < length; ++i) {
        reading +=
            typeable[std::uniform_int_distribution<std::size_t>(0, typeable.size() - 1)(random)];
    }
    return reading;
}

void ShuffleSpellings(std::mt19937& random, JudgeTableSet& table) {
    for (auto& slots : table.RomajiTable) {
        const auto used = std::find(slots.begin(), slots.end(), u"") - slots.begin();
        std::shuffle(slots.begin(), slots.begin() + used, random);
    }
}

void ExpectInvariants(const Judge& judge, const JudgeTableSet& table, InputMode mode) {
    EXPECT_EQ(InvariantViolation(judge, table, mode), "") << DescribeTypingState(judge);
}

// Keeps pressing the key of the guide's first character; every one must be
// accepted and the reading must end complete.
void ExpectGuideTypesTheReading(Engine& engine, Judge& judge, InputMode mode) {
    CodeChage lookup(engine.keys);
    const std::size_t limit = 4 * judge.GuideText.size() + 8;
    for (std::size_t presses = 0; judge.ReadPos != judge.Reading.size() + 1; ++presses) {
        ASSERT_LT(presses, limit) << DescribeTypingState(judge);
        ASSERT_FALSE(judge.GuideText.empty()) << DescribeTypingState(judge);
        const std::optional<KeyStroke> key = KeyTyping(engine.keys, judge.GuideText[0]);
        ASSERT_TRUE(key) << DescribeTypingState(judge);
        const std::string before = DescribeTypingState(judge);
        ASSERT_EQ(JudgeKey(lookup, judge, *key, mode), "accepted")
            << before << ", key " << KeyName(*key);
        ExpectInvariants(judge, engine.table, mode);
    }
    EXPECT_EQ(judge.ReadingDone, u"1");
}

// The reading of the question for one seed; on even seeds every unit's
// spellings also come in a random order (which only romaji input reads).
std::u16string SeededReading(std::mt19937& random, unsigned seed, Engine& engine, InputMode mode) {
    if (seed % 2 == 0)
        ShuffleSpellings(random, engine.table);
    return mode == InputMode::Romaji ? RandomRomajiReading(random, engine.table)
                                     : RandomKanaReading(random, engine.table);
}

TEST(JudgePropertyTest, FollowingTheGuideAlwaysReachesTheEnd) {
    for (const InputMode mode : {InputMode::Romaji, InputMode::Kana}) {
        for (unsigned seed = 1; seed <= 2500; ++seed) {
            std::mt19937 random(seed);
            Engine engine;
            Judge judge(engine.table);
            judge.StartQuestion(SeededReading(random, seed, engine, mode), mode);
            SCOPED_TRACE("seed " + std::to_string(seed));
            if (judge.Reading.empty())
                continue;
            ExpectGuideTypesTheReading(engine, judge, mode);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(JudgePropertyTest, RandomKeysKeepTheInvariants) {
    for (const InputMode mode : {InputMode::Romaji, InputMode::Kana}) {
        for (unsigned seed = 1; seed <= 1500; ++seed) {
            std::mt19937 random(seed);
            Engine engine;
            Judge judge(engine.table);
            CodeChage lookup(engine.keys);
            judge.StartQuestion(SeededReading(random, seed, engine, mode), mode);
            SCOPED_TRACE("seed " + std::to_string(seed));
            for (int press = 0; press < 40; ++press) {
                // Mostly the guide's key, so that readings get somewhere.
                std::optional<KeyStroke> key;
                if (!judge.GuideText.empty() && std::uniform_int_distribution(0, 2)(random) > 0) {
                    key = KeyTyping(engine.keys, judge.GuideText[0]);
                }
                if (!key) {
                    const int row = std::uniform_int_distribution(0, kKeyRowCount + 5)(random);
                    key = row < kKeyRowCount ? KeyStroke{engine.keys.KeyCodeTable[row],
                                                         engine.keys.ShiftTable[row]}
                                             : KeyStroke{65 + row, row % 8};
                }
                const State before = Snapshot(judge);
                const bool wasComplete = judge.ReadPos == judge.Reading.size() + 1;
                const std::string_view verdict = JudgeKey(lookup, judge, *key, mode);
                if (verdict != "accepted") {
                    ASSERT_TRUE(Snapshot(judge) == before)
                        << KeyName(*key) << " changed " << DescribeTypingState(judge);
                } else {
                    EXPECT_FALSE(wasComplete);
                    const bool nowComplete = judge.ReadPos == judge.Reading.size() + 1;
                    EXPECT_EQ(judge.ReadingDone == u"1", nowComplete);
                    EXPECT_EQ(judge.JudgeMiss, u"0");
                }
                if (verdict == "rejected") {
                    EXPECT_EQ(judge.JudgeMiss, u"1");
                }
                ExpectInvariants(judge, engine.table, mode);
                if (HasFatalFailure())
                    return;
            }
        }
    }
}

TEST(JudgePropertyTest, EverySpellingCompletesItsUnitAlone) {
    Engine engine;
    CodeChage lookup(engine.keys);
    for (int unit = 0; unit < kUnitCount; ++unit) {
        for (const InputMode mode : {InputMode::Romaji, InputMode::Kana}) {
            std::vector<std::u16string> spellings;
            if (mode == InputMode::Kana) {
                if (!engine.table.HankakuTable[unit].empty()) {
                    spellings.push_back(engine.table.HankakuTable[unit]);
                }
            } else {
                for (const auto& spelling : engine.table.RomajiTable[unit]) {
                    if (!spelling.empty())
                        spellings.push_back(spelling);
                }
            }
            for (const std::u16string& spelling : spellings) {
                SCOPED_TRACE(ToUtf8(engine.table.KanaTable[unit]) + " typed " + ToUtf8(spelling));
                Judge judge(engine.table);
                judge.StartQuestion(engine.table.KanaTable[unit], mode);
                for (std::size_t i = 0; i < spelling.size(); ++i) {
                    const std::optional<KeyStroke> key = KeyTyping(engine.keys, spelling[i]);
                    ASSERT_TRUE(key);
                    ASSERT_EQ(JudgeKey(lookup, judge, *key, mode), "accepted");
                    EXPECT_EQ(judge.ReadingDone == u"1", i + 1 == spelling.size());
                }
            }
        }
    }
}

}  // namespace
}  // namespace kanoby
