// Twips, the rounding of measured widths, and the Japanese font fallback.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "ui/Fonts.h"

namespace kanoby {
namespace {

struct TwipsRow {
    const char* name;
    int twips;
    int pixels;
};

class TwipsToPixelsTest : public ::testing::TestWithParam<TwipsRow> {};

TEST_P(TwipsToPixelsTest, FifteenTwipsMakeOnePixel) {
    EXPECT_EQ(TwipsToPixels(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Layout, TwipsToPixelsTest,
                         ::testing::Values(TwipsRow{"Zero", 0, 0}, TwipsRow{"MainWidth", 7275, 485},
                                           TwipsRow{"MainHeight", 3090, 206},
                                           TwipsRow{"Label1Top", 100, 7},  // 6.67 rounds up
                                           TwipsRow{"SevenPointFour", 111, 7},
                                           TwipsRow{"Half", 7, 0}, TwipsRow{"OverHalf", 8, 1},
                                           TwipsRow{"LineLength", 7080, 472}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TwipsRect, ConvertsEverySide) {
    EXPECT_EQ(TwipsRect(240, 1080, 6615, 1215), QRect(16, 72, 441, 81));
}

struct RoundingRow {
    const char* name;
    double pixels;
    long long twips;
};

class WholeTwipsTest : public ::testing::TestWithParam<RoundingRow> {};

TEST_P(WholeTwipsTest, RoundsHalvesToEven) {
    EXPECT_EQ(PixelsToWholeTwips(GetParam().pixels), GetParam().twips);
}

// Halves of a twip are exact in binary at odd multiples of half a pixel.
INSTANTIATE_TEST_SUITE_P(
    Widths, WholeTwipsTest,
    ::testing::Values(RoundingRow{"HalfPixelUpToEight", 0.5, 8},           // 7.5
                      RoundingRow{"OneAndHalfDownToTwentyTwo", 1.5, 22},   // 22.5
                      RoundingRow{"TwoAndHalfUpToThirtyEight", 2.5, 38},   // 37.5
                      RoundingRow{"ThreeAndHalfDownToFiftyTwo", 3.5, 52},  // 52.5
                      RoundingRow{"BelowHalfDown", 0.4, 6}, RoundingRow{"Whole", 16.0, 240},
                      RoundingRow{"Zero", 0.0, 0},
                      RoundingRow{"BeyondInt", 200000000.0, 3000000000LL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JapaneseFont, ProportionalGothicComesFirstThenItsRelatives) {
    const QStringList families = JapaneseFontFamilies();
    ASSERT_GE(families.size(), 4);
    EXPECT_EQ(families.at(0), u"ＭＳ Ｐゴシック"_qs);
    EXPECT_LT(families.indexOf(u"MS PGothic"_qs), families.indexOf(u"IPAPGothic"_qs));
    EXPECT_LT(families.indexOf(u"IPAPGothic"_qs), families.indexOf(u"IPAexGothic"_qs));
    EXPECT_LT(families.indexOf(u"IPAexGothic"_qs), families.indexOf(u"Noto Sans CJK JP"_qs));
}

TEST(JapaneseFont, ResolvesToAnInstalledFamilyOfTheListThatShowsKana) {
    const QFont font = JapaneseFont(12);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(font.weight(), QFont::Normal);
    const QFontInfo info(font);
    EXPECT_TRUE(JapaneseFontFamilies().contains(info.family()))
        << "resolved to " << info.family().toStdString()
        << "; scripts/install-deps installs fonts-ipafont-gothic";
    const QFontMetrics metrics(font);
    EXPECT_TRUE(metrics.inFont(QChar(u'あ')));
    EXPECT_TRUE(metrics.inFont(QChar(u'ｶ')));
}

TEST(JapaneseFont, KeepsFractionalSizesAndItalic) {
    const QFont font = JapaneseFont(8.25, true);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_TRUE(font.italic());
}

}  // namespace
}  // namespace kanoby
