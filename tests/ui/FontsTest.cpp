// Twips, the rounding of measured widths, and the Japanese font fallback.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "ui/Fonts.h"

namespace kanoby {
namespace {

// clang-format off
TEST(TwipsTest, FifteenTwipsMakeOnePixelRoundedToTheNearest) {
    for (const auto& [twips, pixels] : {std::pair{7275, 485}, {100, 7}, {111, 7}, {7, 0}, {8, 1}}) {
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips << " twips";
    }
    EXPECT_EQ(TwipsRect(240, 1080, 6615, 1215), QRect(16, 72, 441, 81));
}

TEST(TwipsTest, WidthsBecomeWholeTwipsWithHalvesToEven) {
    // Halves of a twip are exact in binary at odd multiples of half a pixel.
    for (const auto& [pixels, twips] : {std::pair{0.5, 8LL}, {1.5, 22LL}, {2.5, 38LL}, {3.5, 52LL},
                                        {0.4, 6LL}, {200000000.0, 3000000000LL}}) {
        EXPECT_EQ(PixelsToWholeTwips(pixels), twips) << pixels << " pixels";
    }
}
// clang-format on

// The first family is the one the layouts were drawn with.
TEST(JapaneseFontTest, ResolvesToAnInstalledFamilyOfTheListThatShowsKana) {
    const QFont font = JapaneseFont(8.25, true);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(JapaneseFontFamilies().value(0), u"ＭＳ Ｐゴシック"_qs);
    const QFontInfo info(font);
    EXPECT_TRUE(JapaneseFontFamilies().contains(info.family()))
        << "resolved to " << info.family().toStdString()
        << "; scripts/install-deps installs fonts-ipafont-gothic";
    const QFontMetrics metrics(font);
    EXPECT_TRUE(metrics.inFont(QChar(u'あ')));
    EXPECT_TRUE(metrics.inFont(QChar(u'ｶ')));
}

}  // namespace
}  // namespace kanoby
