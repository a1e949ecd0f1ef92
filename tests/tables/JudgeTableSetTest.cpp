#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "judge/Utf8.h"
#include "tables/JudgeTableSet.h"

namespace kanoby {
namespace {

class JudgeTableSetTest : public ::testing::Test {
  protected:
    void SetUp() override { table.SetJudgeTable(); }
    JudgeTableSet table;
};

bool IsSpellingCharacter(char16_t c) {
    return (c >= u'a' && c <= u'z') ||
           std::u16string_view(u"-,.[]/|~").find(c) != std::u16string_view::npos;
}

TEST_F(JudgeTableSetTest, KanaAreDistinctAndEachIsFoundAtItsOwnUnit) {
    std::set<std::u16string> seen;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const std::u16string& kana = table.KanaTable[unit];
        ASSERT_TRUE(kana.size() == 1 || kana.size() == 2) << unit;
        EXPECT_TRUE(seen.insert(kana).second) << "duplicate " << ToUtf8(kana);
        EXPECT_EQ(table.FindUnit(kana), unit) << ToUtf8(kana);
    }
}

TEST_F(JudgeTableSetTest, SpellingsFollowTheSlotRules) {
    int withTwoOrMore = 0;
    int withThree = 0;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const auto& slots = table.RomajiTable[unit];
        SCOPED_TRACE(ToUtf8(table.KanaTable[unit]));
        EXPECT_FALSE(slots[0].empty());
        if (slots[1].empty()) {
            EXPECT_TRUE(slots[2].empty());
        }
        std::set<std::u16string> distinct;
        for (const auto& spelling : slots) {
            if (spelling.empty())
                continue;
            EXPECT_TRUE(distinct.insert(spelling).second);
            EXPECT_LE(spelling.size(), 3u);
            for (const char16_t c : spelling)
                EXPECT_TRUE(IsSpellingCharacter(c)) << int(c);
        }
        if (!slots[1].empty())
            ++withTwoOrMore;
        if (!slots[2].empty())
            ++withThree;
    }
    EXPECT_EQ(withTwoOrMore, 50);
    EXPECT_EQ(withThree, 18);
}

TEST_F(JudgeTableSetTest, ExactlyTheListedUnitsOfferAChoice) {
    std::vector<int> expected = {5, 7, 9, 11, 13, 16, 17, 27, 45, 52};
    for (int unit = 71; unit <= 82; ++unit)
        expected.push_back(unit);
    expected.push_back(95);
    for (int unit = 97; unit <= 104; ++unit)
        expected.push_back(unit);
    for (int unit : {120, 121, 123, 124})
        expected.push_back(unit);
    for (int unit = 143; unit <= 147; ++unit)
        expected.push_back(unit);
    for (int unit : {169, 170, 172, 173, 175, 176, 209, 210})
        expected.push_back(unit);
    ASSERT_EQ(expected.size(), 48u);

    std::vector<int> flagged;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const std::u16string& flag = table.ChoiceFlagTable[unit];
        EXPECT_TRUE(flag.empty() || flag == u"1") << unit;
        if (flag == u"1")
            flagged.push_back(unit);
    }
    EXPECT_EQ(flagged, expected);
    // い and う have alternatives but are never offered.
    EXPECT_FALSE(table.RomajiTable[1][1].empty());
    EXPECT_FALSE(table.RomajiTable[2][2].empty());
}

TEST_F(JudgeTableSetTest, KeyTextsAreEmptyExactlyForTheKeylessUnits) {
    int empty = 0;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const std::u16string& keys = table.HankakuTable[unit];
        const bool keyless = (unit >= 80 && unit <= 82) || unit >= 90;
        EXPECT_EQ(keys.empty(), keyless) << unit;
        if (keys.empty())
            ++empty;
        for (const char16_t c : keys)
            EXPECT_TRUE(c >= 0xFF61 && c <= 0xFF9F) << unit;
        if (!keys.empty() && keys.size() == 2) {
            EXPECT_TRUE(keys[1] == u'ﾞ' || keys[1] == u'ﾟ') << unit;
        }
    }
    EXPECT_EQ(empty, 125);
    EXPECT_EQ(table.HankakuTable[83], u"ｳﾞ");
}

TEST_F(JudgeTableSetTest, MarkerRowsAndSharedSpelling) {
    EXPECT_EQ(table.KanaTable[kUnitN], u"ん");
    EXPECT_EQ(table.RomajiTable[kUnitN], (JudgeTableSet::Spellings{u"|", u"nn", u"xn"}));
    EXPECT_EQ(table.ChoiceFlagTable[kUnitN], u"1");
    EXPECT_EQ(table.KanaTable[kUnitSokuon], u"っ");
    EXPECT_EQ(table.RomajiTable[kUnitSokuon], (JudgeTableSet::Spellings{u"~", u"xtu", u"ltu"}));
    EXPECT_EQ(table.ChoiceFlagTable[kUnitSokuon], u"1");
    EXPECT_EQ(table.KanaTable[96], u"しぃ");
    EXPECT_EQ(table.KanaTable[181], u"すぃ");
    EXPECT_EQ(table.RomajiTable[96][0], u"syi");
    EXPECT_EQ(table.RomajiTable[181][0], u"syi");
}

TEST_F(JudgeTableSetTest, LookupIsExactByCodeUnit) {
    EXPECT_EQ(table.FindUnit(u"ヴぁ"), 168);
    EXPECT_EQ(table.FindUnit(u"ゔ"), -1);
    EXPECT_EQ(table.FindUnit(u"カ"), -1);  // katakana is not hiragana
    EXPECT_EQ(table.FindUnit(u""), -1);
    EXPECT_EQ(table.FindUnit(u"きゃく"), -1);
    EXPECT_EQ(table.FindUnit(u"ヴ"), 83);
}

TEST_F(JudgeTableSetTest, PreferringASpellingExchangesItWithSlotZero) {
    EXPECT_TRUE(table.PreferSpelling(u"し", u"ci"));
    EXPECT_EQ(table.RomajiTable[11], (JudgeTableSet::Spellings{u"ci", u"shi", u"si"}));
    EXPECT_TRUE(table.PreferSpelling(u"し", u"shi"));
    EXPECT_EQ(table.RomajiTable[11], (JudgeTableSet::Spellings{u"shi", u"ci", u"si"}));
    EXPECT_TRUE(table.PreferSpelling(u"し", u"shi"));  // already first: nothing moves
    EXPECT_EQ(table.RomajiTable[11], (JudgeTableSet::Spellings{u"shi", u"ci", u"si"}));

    EXPECT_FALSE(table.PreferSpelling(u"し", u"xi"));
    EXPECT_FALSE(table.PreferSpelling(u"し", u""));
    EXPECT_FALSE(table.PreferSpelling(u"ゔ", u"vu"));
    EXPECT_EQ(table.RomajiTable[11], (JudgeTableSet::Spellings{u"shi", u"ci", u"si"}));

    table.SetJudgeTable();  // a second build restores every initial order
    EXPECT_EQ(table.RomajiTable[11], (JudgeTableSet::Spellings{u"si", u"shi", u"ci"}));
}

}  // namespace
}  // namespace kanoby
