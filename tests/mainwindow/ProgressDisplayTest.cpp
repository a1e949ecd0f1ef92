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

// Whether the picture shows a pixel near `colour`.
bool Shows(QWidget& picture, const QColor& colour) {
    const QImage image = picture.grab().toImage();
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QColor pixel = image.pixelColor(i % image.width(), i / image.width());
        if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                std::abs(pixel.blue() - colour.blue()) < 60)
            return true;
    }
    return false;
}

// Each row's parts follow one another from the margin, inside the picture and
// painted in their colours; a row too wide keeps the red kana and key in view,
// with "…" where it is cut. A display text too long for Label1 ends with "…"
// before Frame1 and is whole in the tooltip.
TEST_F(WindowTest, LongReadingKeepsTheCurrentKanaAndTheNextKeyInView) {
    // kana, keys typed, each row's colours (b blue, r red, k black), with < or
    // > where it is cut on the left or right
    for (const auto& [kana, typed, rows] : {std::tuple{5, 2, "brk brk"}, {200, 0, "rk> rk>"},
                                            {200, 100, "<brk> <brk>"}, {200, 199, "<br <br"}}) {
        SCOPED_TRACE(::testing::Message() << kana << " kana, " << typed << " typed");
        const QString reading = u"あいうえお"_s.repeated(kana / 5);
        const QString guide = u"aiueo"_s.repeated(kana / 5);
        WriteWords(reading + u'\n' + reading);
        MainWindow& window = Open();
        Key(Qt::Key_Return);
        Type(guide.left(typed));
        QStringList described;
        qsizetype parts = 0;
        for (const auto& [top, whole] : {std::pair{480LL, reading}, {840LL, guide}}) {
            QString shown, colours;
            long long x = 120;
            for (const DrawnText& item : window.Picture1->Drawn()) {
                if (item.top != top)
                    continue;
                EXPECT_TRUE(item.left == x || (shown.isEmpty() && item.text.startsWith(u'…')));
                x = item.left + Twips(*window.Picture1, item.text);
                EXPECT_TRUE(item.left >= 0 && x <= window.Picture1->contentsRect().width() * 15);
                EXPECT_TRUE(item.colour != Qt::red || item.text == whole[typed]);
                const auto colour = QList<QColor>{Qt::blue, Qt::red, Qt::black}.indexOf(item.colour);
                colours += QLatin1Char("?brk"[colour + 1]);
                shown += item.text;
            }
            parts += colours.size();
            described.append((shown.startsWith(u'…') ? u"<"_s : u""_s) + colours +
                             (shown.endsWith(u'…') ? u">"_s : u""_s));
            const QString kept = QString(shown).remove(u'…');
            EXPECT_TRUE(kept == whole || (kept != shown && whole.contains(kept)));
        }
        EXPECT_EQ(described.join(u' '), QString::fromLatin1(rows));
        EXPECT_EQ(parts, window.Picture1->Drawn().size());
        const QString label = window.Label1->text();
        EXPECT_LE(QFontMetricsF(window.Label1->font()).horizontalAdvance(label),
                  window.Frame1->x() - window.Label1->x());
        EXPECT_EQ(label.endsWith(u'…') ? window.Label1->toolTip() : label, reading);
        // Painted as drawn, until cleared.
        EXPECT_TRUE(Shows(*window.Picture1, Qt::red));
        EXPECT_EQ(Shows(*window.Picture1, Qt::blue), typed > 0);
        window.ClearDisplay();
        EXPECT_FALSE(Shows(*window.Picture1, Qt::red));
    }
}

}  // namespace
}  // namespace kanoby::testing
