// The progress picture: what Picture1 draws, in which colours and where, and
// that it keeps showing it.
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <cmath>

#include "WindowTestSupport.h"

namespace kanoby::testing {
namespace {

// Measured here, apart from the window's own arithmetic.
long long Twips(const QWidget& picture, const QString& text) {
    return std::llrint(QFontMetricsF(picture.font()).horizontalAdvance(text) * 15.0);
}

// Each part as text/colour@x,top (b blue, r red, k black).
QString Drawn(const ProgressPicture& picture) {
    QStringList parts;
    for (const DrawnText& item : picture.Drawn()) {
        const char colour = item.colour == Qt::blue ? 'b' : item.colour == Qt::red ? 'r' : 'k';
        parts.append(u"%1/%2@%3,%4"_s.arg(item.text).arg(colour).arg(item.left).arg(item.top));
    }
    return parts.join(u' ');
}

// A row that fits starts at the margin, and each non-empty part starts where
// the one before it ended.
TEST_F(WindowTest, PartsFollowOneAnotherFromTheMargin) {
    MainWindow& window = Open();
    const ProgressPicture& picture = *window.Picture1;
    window.DrawProgress(u"きょう"_s, u"は"_s, u"ＷＷ"_s, u""_s, u"a"_s, u"hare"_s);
    const long long x1 = 120 + Twips(picture, u"きょう"_s), x2 = x1 + Twips(picture, u"は"_s);
    const long long y1 = 120 + Twips(picture, u"a"_s);
    EXPECT_EQ(Drawn(picture),
              u"きょう/b@120,480 は/r@%1,480 ＷＷ/k@%2,480 a/r@120,840 hare/k@%3,840"_s.arg(x1)
                  .arg(x2)
                  .arg(y1));
    window.DrawProgress({}, {}, {}, {}, {}, {});
    EXPECT_EQ(Drawn(picture), u""_s);
}

// A row too wide for the picture keeps the red kana and key inside it, with
// "…" where it is cut; a display text too long for Label1 ends with "…"
// before Frame1 and is whole in the tooltip.
TEST_F(WindowTest, LongReadingKeepsTheCurrentKanaAndTheNextKeyInView) {
    // kana, keys typed, what is cut of each row: - nothing, < left, > right
    for (const auto& [kana, typed, cuts] :
         {std::tuple{5, 2, "- -"}, {200, 0, "> >"}, {200, 100, "<> <>"}, {200, 199, "< <"}}) {
        SCOPED_TRACE(::testing::Message() << kana << " kana, " << typed << " typed");
        const QString reading = u"あいうえお"_s.repeated(kana / 5);
        const QString guide = u"aiueo"_s.repeated(kana / 5);
        WriteWords(reading + u'\n' + reading);
        const MainWindow& window = Open();
        Key(Qt::Key_Return);
        Type(guide.left(typed));
        QStringList cut;
        for (const auto& [top, whole] : {std::pair{480LL, reading}, {840LL, guide}}) {
            QString shown;
            long long x = 120;
            for (const DrawnText& item : window.Picture1->Drawn()) {
                if (item.top != top)
                    continue;
                EXPECT_TRUE(item.left == x || (shown.isEmpty() && item.text.startsWith(u'…')));
                x = item.left + Twips(*window.Picture1, item.text);
                EXPECT_TRUE(item.left >= 0 && x <= window.Picture1->contentsRect().width() * 15);
                EXPECT_TRUE(item.colour != Qt::red || item.text == whole[typed]);
                shown += item.text;
            }
            const bool left = shown.startsWith(u'…'), right = shown.endsWith(u'…');
            cut.append(left || right ? (left ? u"<"_s : u""_s) + (right ? u">"_s : u""_s) : u"-"_s);
            EXPECT_TRUE(whole.contains(QString(shown).remove(u'…')));
        }
        EXPECT_EQ(cut.join(u' '), QString::fromLatin1(cuts));
        const QString label = window.Label1->text();
        EXPECT_LE(QFontMetricsF(window.Label1->font()).horizontalAdvance(label),
                  window.Frame1->x() - window.Label1->x());
        EXPECT_EQ(label.endsWith(u'…') ? window.Label1->toolTip() : label, reading);
    }
}

// Whether the picture shows a pixel near `colour`.
bool Shows(QWidget& picture, const QColor& colour) {
    const QImage image = picture.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) <
                60)
                return true;
        }
    }
    return false;
}

TEST_F(WindowTest, PicturePaintsWhatItLastDrewWheneverItIsUncovered) {
    MainWindow& window = Open();
    window.DrawProgress(u"あああ"_s, u"いいい"_s, {}, {}, {}, {});
    window.hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(Shows(*window.Picture1, Qt::red) && Shows(*window.Picture1, Qt::blue));
    window.ClearDisplay();
    EXPECT_FALSE(Shows(*window.Picture1, Qt::red));
}

}  // namespace
}  // namespace kanoby::testing
