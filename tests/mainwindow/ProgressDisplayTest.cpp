// The progress picture: what Picture1 is told to draw, in which colours and
// where, and that it keeps showing it.
#include <QFontMetricsF>
#include <QImage>
#include <cmath>

#include "WindowTestSupport.h"

namespace kanoby::testing {

using namespace Qt::StringLiterals;
namespace {

const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

// Measured here independently of the window's own arithmetic.
long long WidthInTwips(const QWidget& picture, const QString& text) {
    return static_cast<long long>(
        std::nearbyint(QFontMetricsF(picture.font()).horizontalAdvance(text) * 15.0));
}

struct ProgressRow {
    const char* name;
    QStringList parts;  // done kana, current kana, remaining kana, typed keys, next key, rest
};

void PrintTo(const ProgressRow& row, std::ostream* os) {
    *os << row.name;
}

class DrawProgressTest : public WindowTest, public ::testing::WithParamInterface<ProgressRow> {};

// Each row: the non-empty parts in order, blue, red, black, each starting
// where the previous non-empty part of its row ended; empty parts are
// neither drawn nor measured.
TEST_P(DrawProgressTest, DrawsEachNonEmptyPartWhereThePreviousEnded) {
    const QStringList& parts = GetParam().parts;
    MainWindow& window = Open();
    const int measuredBefore = window.Picture1->MeasureCount();
    window.DrawProgress(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);

    QList<DrawnText> expected;
    int measurements = 0;
    const QColor colours[] = {kBlue, kRed, kBlack};
    for (int row = 0; row < 2; ++row) {
        const long long top = row == 0 ? 480 : 840;
        long long x = 120;
        for (int i = 0; i < 3; ++i) {
            const QString& part = parts[row * 3 + i];
            if (part.isEmpty()) {
                continue;
            }
            expected.append({part, colours[i], x, top});
            if (i < 2) {
                x += WidthInTwips(*window.Picture1, part);
                ++measurements;
            }
        }
    }
    EXPECT_EQ(window.Picture1->Drawn(), expected);
    EXPECT_EQ(window.Picture1->MeasureCount() - measuredBefore, measurements);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Picture1, DrawProgressTest, ::testing::Values(
    ProgressRow{"AllSixParts", {u"きょう"_s, u"は"_s, u"はれ"_s, u"kyouh"_s, u"a"_s, u"hare"_s}},
    ProgressRow{"StartOfQuestion", {u""_s, u"い"_s, u"ぬ"_s, u""_s, u"i"_s, u"nu"_s}},
    ProgressRow{"NoCurrentPartRemainingFollowsDone", {u"いぬ"_s, u""_s, u"ねこ"_s, u"inu"_s, u""_s, u"neko"_s}},
    ProgressRow{"NothingAtAll", {u""_s, u""_s, u""_s, u""_s, u""_s, u""_s}},
    ProgressRow{"WideAndNarrowCharacters", {u"ＷＷＷ"_s, u"i"_s, u"…"_s, u"iiiiiiiiii"_s, u"W"_s, u" "_s}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Each drawn part with its colour: b blue, r red, k black. Inside a unit of
// two kana only the first is current until the unit is typed.
TEST_F(WindowTest, TypingSplitsTheReadingAndTheGuideIntoColouredParts) {
    WriteWords({{u"今日"_s, u"きょう"_s}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    // clang-format off
    for (const auto& [key, parts] : {std::pair{"k", u"き/r ょう/k k/b y/r ou/k"_s},
                                     {"y", u"き/r ょう/k ky/b o/r u/k"_s},
                                     {"o", u"きょ/b う/r kyo/b u/r"_s}}) {
        // clang-format on
        Type(key);
        QStringList drawn;
        for (const DrawnText& item : window.Picture1->Drawn()) {
            drawn.append(item.text + (item.colour == kBlue  ? u"/b"_s
                                      : item.colour == kRed ? u"/r"_s
                                                            : u"/k"_s));
        }
        EXPECT_EQ(drawn.join(u' '), parts) << key;
    }
}

// Whether `picture` shows a pixel near `colour` on screen.
bool Shows(QWidget& picture, const QColor& colour) {
    const QImage image = picture.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) <
                60) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(WindowTest, PicturePaintsWhatItLastDrewWheneverItIsUncovered) {
    MainWindow& window = Open();
    window.DrawProgress(u"あああ"_s, u"いいい"_s, QString(), QString(), QString(), QString());
    EXPECT_TRUE(Shows(*window.Picture1, kRed));
    EXPECT_TRUE(Shows(*window.Picture1, kBlue));
    window.hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(Shows(*window.Picture1, kRed));
    window.ClearDisplay();
    EXPECT_FALSE(Shows(*window.Picture1, kRed));
}

}  // namespace
}  // namespace kanoby::testing
