#include <gtest/gtest.h>

#include <string>

#include "judge/Judge.h"
#include "judge/Utf8.h"

namespace kanoby {
namespace {

struct KanaGuideCase {
    const char* name;
    const char* source;
    const char* guide;
};

void PrintTo(const KanaGuideCase& row, std::ostream* out) {
    *out << row.source;
}

class KanaGuideTest : public ::testing::TestWithParam<KanaGuideCase> {};

TEST_P(KanaGuideTest, BuildsTheGuide) {
    JudgeTableSet table;
    table.SetJudgeTable();
    Judge judge(table);
    std::u16string guide = u"left over from before";
    judge.MakeKanaGuide(ToUtf16(GetParam().source), guide);
    EXPECT_EQ(ToUtf8(guide), GetParam().guide);
}

const KanaGuideCase kKanaGuideCases[] = {
    {"VoicedAndSmallTsu", "がっこう", "ｶﾞｯｺｳ"},
    {"TwoKanaUnitAsTwoKeys", "きゃく", "ｷｬｸ"},
    {"SemiVoiced", "ぱん", "ﾊﾟﾝ"},
    {"Vu", "ヴ", "ｳﾞ"},
    {"Wo", "を", "ｦ"},
    {"Punctuation", "すし、ください。", "ｽｼ､ｸﾀﾞｻｲ｡"},
    {"Marks", "ー「」・", "ｰ｢｣･"},
    {"KeylessKe", "ヶ", ""},
    {"KeylessKa", "いっヵ", "ｲｯ"},
    {"KatakanaCopied", "カナ", "カナ"},
    {"LatinCopied", "abc 12", "abc 12"},
    {"KanaThenDigit", "でんしゃ1", "ﾃﾞﾝｼｬ1"},
    {"HiraganaVuCopied", "ゔ", "ゔ"},
    {"Empty", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Worked, KanaGuideTest, ::testing::ValuesIn(kKanaGuideCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kanoby
