// The progress picture: what Picture1 is told to draw, in which colours and
// where, and that it keeps showing it.
#include <QFontMetricsF>
#include <QGroupBox>
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

// Each row that fits: the non-empty parts in order, blue, red, black, each
// starting where the previous non-empty part of its row ended; empty parts
// are neither drawn nor measured.
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
            x += WidthInTwips(*window.Picture1, part);
            ++measurements;
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

// A row that fits starts at the margin as ever; one too wide keeps the red
// kana and key inside the picture and shows "…" where it is cut; either way
// each part starts where the one before it ended. A display text too long
// for Label1 ends with "…" before Frame1 and is whole in the tooltip.
TEST_F(WindowTest, LongReadingKeepsTheCurrentKanaAndTheNextKeyInView) {
    // Kana of あいうえお repeated, one key each; keys typed; what is cut of the
    // reading row and the key row: - nothing, < at the left, > at the right.
    for (const auto& [kana, typed, cuts] : {std::tuple{5, 0, "- -"},
                                            {5, 2, "- -"},
                                            {200, 0, "> >"},
                                            {200, 100, "<> <>"},
                                            {200, 199, "< <"}}) {
        SCOPED_TRACE(::testing::Message() << kana << " kana, " << typed << " typed");
        const QString reading = u"あいうえお"_s.repeated(kana / 5);
        const QString guide = u"aiueo"_s.repeated(kana / 5);
        WriteWords({{reading, reading}});
        MainWindow& window = Open();
        Key(Qt::Key_Return);
        Type(guide.left(typed).toLatin1().constData());
        QStringList cut;
        for (const auto& [top, whole] : {std::pair{480LL, reading}, {840LL, guide}}) {
            QString shown;
            long long x = 120;
            for (const DrawnText& item : window.Picture1->Drawn()) {
                if (item.top != top) {
                    continue;
                }
                EXPECT_TRUE(item.left == x || (shown.isEmpty() && item.text.startsWith(u'…')));
                x = item.left + WidthInTwips(*window.Picture1, item.text);
                EXPECT_TRUE(item.left >= 0 && x <= window.Picture1->contentsRect().width() * 15);
                EXPECT_TRUE(item.colour != kRed || item.text == whole[typed]);
                shown += item.text;
            }
            const bool left = shown.startsWith(u'…'), right = shown.endsWith(u'…');
            cut.append(left || right ? (left ? u"<"_s : u""_s) + (right ? u">"_s : u""_s) : u"-"_s);
            EXPECT_TRUE(shown == whole || whole.contains(QString(shown).remove(u'…')));
        }
        EXPECT_EQ(cut.join(u' '), QString::fromLatin1(cuts));
        const QString label = window.Label1->text();
        EXPECT_LE(QFontMetricsF(window.Label1->font()).horizontalAdvance(label),
                  window.Frame1->x() - window.Label1->x());
        EXPECT_EQ(label.endsWith(u'…') ? window.Label1->toolTip() : label, reading);
    }
}

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
