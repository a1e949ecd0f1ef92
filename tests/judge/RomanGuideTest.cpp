#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "judge/Judge.h"
#include "judge/Utf8.h"

namespace kanoby {
namespace {

struct GuideCase {
    const char* name;
    const char* source;
    const char* guide;
    // Preferred spellings applied before building, as (kana, spelling).
    std::vector<std::pair<const char*, const char*>> preferences = {};
};

void PrintTo(const GuideCase& row, std::ostream* out) {
    *out << row.source;
}

class RomanGuideTest : public ::testing::TestWithParam<GuideCase> {};

TEST_P(RomanGuideTest, BuildsTheGuide) {
    const GuideCase& row = GetParam();
    JudgeTableSet table;
    table.SetJudgeTable();
    for (const auto& [kana, spelling] : row.preferences) {
        ASSERT_TRUE(table.PreferSpelling(ToUtf16(kana), ToUtf16(spelling)));
    }
    Judge judge(table);
    std::u16string guide = u"left over from before";
    judge.MakeRomanGuide(ToUtf16(row.source), guide);
    EXPECT_EQ(ToUtf8(guide), row.guide);
    EXPECT_TRUE(judge.GuideMatch.empty());
}

const GuideCase kGuideCases[] = {
    {"TwoKanaUnitWins", "きゃく", "kyaku"},
    {"SokuonDoubles", "がっこう", "gakkou"},
    {"SokuonDoublesTwoKanaUnit", "まっちゃ", "mattya"},
    {"SokuonAfterTwoKanaUnit", "ちょっと", "tyotto"},
    {"SokuonBeforeTwoKanaUnitAlone", "っきゃ", "kkya"},
    {"SokuonAtEnd", "あっ", "axtu"},
    {"SokuonBeforeVowel", "あっあ", "axtua"},
    {"SokuonBeforeNaRow", "やっの", "yaxtuno"},
    {"NBeforeConsonant", "さんぽ", "sanpo"},
    {"NBeforeNaRow", "あんない", "annnai"},
    {"NBeforeYa", "こんや", "konnya"},
    {"NAtEnd", "ほん", "honn"},
    {"NBeforeSmallKanaUnit", "ゆうびんきょく", "yuubinkyoku"},
    {"NBeforeN", "んん", "nnn"},
    {"NBeforeSmallKana", "んゃ", "nxya"},
    {"NBeforeOutsideCharacter", "ん1", "n1"},
    {"LongVowelMark", "らーめん", "ra-menn"},
    {"TwoKanaUnitThenN", "しゃしん", "syasinn"},
    {"OutsideCharactersCopied", "CDかう", "CDkau"},
    {"Empty", "", ""},
    {"KatakanaIsOutsideTheTable", "カナ", "カナ"},
    {"VuIsKatakana", "ヴぁゔ", "vaゔ"},
    {"SokuonPassesDoublingOverN", "っんか", "nkka"},
    {"SokuonThenNBeforeVowel", "っんあ", "nnaa"},
    // っ must always show keys the judge takes at that っ.
    {"SokuonBeforeOutsideCharacter", "っAか", "xtuAka"},
    {"SokuonBeforeSokuon", "っっか", "xtukka"},
    {"SokuonBeforeSymbolAtEnd", "あっ!", "axtu!"},
    {"SokuonBeforeQuestionMark", "えっ?", "extu?"},
    {"SokuonBeforeKanji", "っ字", "xtu字"},
    {"SokuonBeforeKatakanaVu", "っヴ", "vvu"},
    {"SokuonBeforeMark", "っー", "--"},
    {"PreferredShi", "しゃしん", "syashinn", {{"し", "shi"}}},
    {"PreferredNn", "さんぽ", "sannpo", {{"ん", "nn"}}},
    {"PreferredXtu", "がっこう", "gaxtukou", {{"っ", "xtu"}}},
    {"PreferredXtuBeforeOutside", "っA", "xtuA", {{"っ", "xtu"}}},
    {"PreferredChaDoubled", "まっちゃ", "maccha", {{"ちゃ", "cha"}}},
};

INSTANTIATE_TEST_SUITE_P(Worked, RomanGuideTest, ::testing::ValuesIn(kGuideCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartQuestionTest, ResetsTheStateAndBuildsTheGuideOfTheMode) {
    JudgeTableSet table;
    table.SetJudgeTable();
    Judge judge(table);
    judge.ReadPos = 7;
    judge.TypedKeys = u"abc";
    judge.UnitKeys = u"k";
    judge.UnitRest = u"a";
    judge.JudgeMiss = u"1";
    judge.ReadingDone = u"1";

    judge.StartQuestion(u"がっこう", InputMode::Romaji);
    EXPECT_EQ(judge.Reading, u"がっこう");
    EXPECT_EQ(judge.ReadPos, 1u);
    EXPECT_EQ(judge.TypedKeys, u"");
    EXPECT_EQ(judge.UnitKeys, u"");
    EXPECT_EQ(judge.UnitRest, u"");
    EXPECT_EQ(judge.GuideText, u"gakkou");
    // The verdict of the last keystroke is left alone.
    EXPECT_EQ(judge.JudgeMiss, u"1");
    EXPECT_EQ(judge.ReadingDone, u"1");

    judge.StartQuestion(u"がっこう", InputMode::Kana);
    EXPECT_EQ(judge.GuideText, u"ｶﾞｯｺｳ");
}

}  // namespace
}  // namespace kanoby
