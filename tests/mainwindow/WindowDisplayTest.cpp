// What the user sees: the main window's controls where the layout puts them,
// the dialogs' frames, and what progressPicture draws, in which colours and where.
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QMessageBox>
#include <QRadioButton>
#include <QTextDocument>
#include <cmath>

#include "WindowTestSupport.h"
#include "platform/Colours.h"
#include "platform/PlainText.h"
#include "settings/RomajiSettingsDialog.h"

namespace kanoby::testing {
namespace {

TEST_F(WindowTest, WindowsKeepTheirLayoutAndDialogsTheirFrames) {
    MainWindow& window = Open();
    // Options go down to the middle below the style's caption; shown at the layout's place.
    const int down = window.romajiOption->y() - 16;
    const QRect below = window.inputModeBox->contentsRect();
    const int gap =
        window.romajiOption->y() - below.top() - below.bottom() + window.kanaOption->y() + 16;
    EXPECT_TRUE(down == 0 ? gap >= 0 : down > 0 && std::abs(gap) <= 1) << down << " " << gap;
    QStringList controls;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             window.questionLabel, window.inputModeBox, window.romajiOption, window.kanaOption,
             window.progressPicture, window.startButton, window.enterHint, window.menuLine}) {
        const QRect r =
            control->geometry().translated(0, control->inherits("QRadioButton") * -down);
        const QVariant text = control->property(control->inherits("QGroupBox") ? "title" : "text");
        const QFont font = control->font();
        controls.append(
            control->objectName() + u' ' + text.toString() +
            u" %1,%2 %3x%4 "_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()) +
            (font.italic() ? u"i "_s : u""_s) +
            (font == QApplication::font() ? u"default"_s : u"%1pt"_s.arg(font.pointSizeF())));
    }
    EXPECT_EQ(
        controls.join(u" | "),
        u"questionLabel  8,7 425x25 12pt | inputModeBox 入力方式 376,8 81x57 8.25pt | "
        u"romajiOption ローマ字 8,16 65x17 8.25pt | kanaOption かな 8,32 65x17 8.25pt | "
        u"progressPicture  16,72 441x81 12pt | startButton スタート 408,168 57x25 default | "
        u"enterHint Enter：スタート／中断 16,168 265x17 i 9pt | menuLine  0,0 472x1 default"_s);
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));
    // A larger window gives its width to the question and the picture, its height to the
    // picture; the hint and the button stay below it, the input mode at the right.
    const auto places = [&] {
        QStringList rects;
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 window.questionLabel, window.inputModeBox, window.progressPicture,
                 window.enterHint, window.startButton})
            rects.append(u"%1,%2 %3x%4"_s.arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height()));
        return rects.join(u" | "_s);
    };
    window.resize(window.width() + 200, window.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size(), QSize(685, 306));
    EXPECT_EQ(places(),
              u"8,7 625x25 | 576,8 81x57 | 16,72 641x181 | 16,268 265x17 | 608,268 57x25"_s);
    // Zoomed to 200%, the question and the picture double in height, and a window too
    // small for them grows.
    window.SetZoom(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(places(),
              u"8,7 625x50 | 576,8 81x57 | 16,97 641x162 | 16,274 265x17 | 608,274 57x25"_s);
    EXPECT_EQ(window.progressPicture->font().pointSizeF(), 24);
    window.SetZoom(100);
    for (const QWidget* w : window.findChildren<QWidget*>() + QList<QWidget*>{&window})
        EXPECT_FALSE(w->testAttribute(Qt::WA_InputMethodEnabled)) << w->objectName().toStdString();
    // Small fixed dialogs: a title and a close button, nothing to minimise or maximise, and
    // a message box wide enough for its title. The settings dialog opens from its menu.
    QList<Qt::WindowFlags> frames{EndMessage(&window).windowFlags()};
    WithModal<RomajiSettingsDialog>(
        [&](RomajiSettingsDialog& d) {
            frames.append(d.windowFlags());
            d.reject();
        },
        [&] { window.romajiSettingsAction->trigger(); });
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), &window);  // Enter starts a run at once
    int boxWidth = 0;
    WithModal<QMessageBox>(
        [&](QMessageBox& box) {
            frames.append(box.windowFlags());
            boxWidth = box.width();
            box.button(QMessageBox::Ok)->click();
        },
        [&] { QtMessageBoxes().Show(&window, u"設定を保存しました"_s); });
    for (Qt::WindowFlags& flags : frames)
        flags &= Qt::WindowType_Mask | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinMaxButtonsHint;
    EXPECT_EQ(frames, QList<Qt::WindowFlags>(
                          3, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    EXPECT_GE(boxWidth, title.horizontalAdvance(u"Kanoby"_s) + 6 * title.height());
}

// Whether the picture shows a pixel near `colour`.
bool Shows(QWidget& picture, const QColor& colour) {
    const QImage image = picture.grab().toImage();
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QColor pixel = image.pixelColor(i % image.width(), i / image.width());
        if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                std::abs(pixel.blue() - colour.blue()) <
            60)
            return true;
    }
    return false;
}

// A question line, a path or a file's text is shown as written wherever it shows, never
// read as markup; a space still to type shows as a mark, red when it is next.
TEST_F(WindowTest, TextsFromFilesShowAsWrittenAndSpacesToTypeShow) {
    const QString hostile = u"<img src=\"/dev/zero\">&amp;<b>x</b>"_s + QString(100, u'あ');
    WriteWords(hostile + u"\nあ い"_s);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    const QString firstShown = window.questionLabel->text();  // before it moves along
    Type(u"a"_s);
    QStringList red;
    for (const DrawnText& item : window.progressPicture->Drawn())
        red.append(item.colour == Qt::red ? item.text : QString());
    red.removeAll(QString());
    EXPECT_EQ(red, (QStringList{u"\u2423"_s, u"\u2423"_s}));
    QTextDocument tip;
    tip.setHtml(window.questionLabel->toolTip());
    EXPECT_TRUE(window.questionLabel->textFormat() == Qt::PlainText &&
                firstShown.startsWith(u"<img"));
    EXPECT_EQ(tip.toPlainText(), hostile);
    const auto box = MakeMessageBox(&window, hostile);
    const auto* text = box->findChild<QLabel*>(u"qt_msgbox_label"_s);
    ASSERT_TRUE(text != nullptr);
    EXPECT_TRUE(text->textFormat() == Qt::PlainText && text->text() == hostile);
#ifndef _WIN32
    // A desktop with no file manager: the opener fails, and a box names the folder.
    const QTemporaryDir bin;
    QFile opener(bin.filePath(u"xdg-open"_s));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly) && opener.write("#!/bin/sh\nexit 3\n") > 0);
    opener.setPermissions(opener.permissions() | QFile::ExeOwner);
    opener.close();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    window.openFolderAction->trigger();
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    EXPECT_TRUE(boxes.shown.value(0).endsWith(u'\n' + QDir::toNativeSeparators(Dir())));
#endif
}

// Each row's parts follow one another from the margin, inside the picture, painted in their
// colours; a row too wide keeps the red kana and key in view, with "…" where it is cut. A
// display text too long for questionLabel ends with "…" before inputModeBox and is whole in the
// tooltip; one that fits has none.
TEST_F(WindowTest, LongReadingKeepsTheCurrentKanaAndTheNextKeyInView) {
    // kana, keys typed, each row's colours (b blue, r red, k black), with < or
    // > where it is cut on the left or right
    for (const auto& [kana, typed, rows] : {std::tuple{5, 2, "brk brk"},
                                            {200, 0, "rk> rk>"},
                                            {200, 100, "<brk> <brk>"},
                                            {200, 199, "<br <br"},
                                            {1000, 600, "<brk> <brk>"}}) {
        SCOPED_TRACE(::testing::Message() << kana << " kana, " << typed << " typed");
        const QString reading = u"あいうえお"_s.repeated(kana / 5);
        const QString guide = u"aiueo"_s.repeated(kana / 5);
        WriteWords(reading + u'\n' + reading);
        MainWindow& window = Open();
        Key(Qt::Key_Return);
        Type(guide.left(typed));
        QStringList described;
        qsizetype parts = 0;
        const QFontMetricsF metrics(
            window.progressPicture->font());  // apart from the window's arithmetic
        for (const auto& [top, whole] : {std::pair{480LL, reading}, {840LL, guide}}) {
            QString shown, colours;
            long long x = 120;
            for (const DrawnText& item : window.progressPicture->Drawn()) {
                if (item.top != top)
                    continue;
                EXPECT_TRUE(item.left == x || (shown.isEmpty() && item.text.startsWith(u'…')));
                x = item.left + std::llrint(metrics.horizontalAdvance(item.text) * 15);
                EXPECT_TRUE(item.left >= 0 &&
                            x <= window.progressPicture->contentsRect().width() * 15);
                EXPECT_TRUE(item.colour != Qt::red || item.text == whole[typed]);
                const int colour = QList<QColor>{Qt::blue, Qt::red, Qt::black}.indexOf(item.colour);
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
        EXPECT_EQ(parts, window.progressPicture->Drawn().size());
        const QString label = window.questionLabel->text();
        EXPECT_LE(QFontMetricsF(window.questionLabel->font()).horizontalAdvance(label),
                  window.inputModeBox->x() - window.questionLabel->x());
        QTextDocument tip;
        tip.setHtml(window.questionLabel->toolTip());
        EXPECT_EQ(label.contains(u'…') ? tip.toPlainText() : label,
                  reading.size() > kToolTipCharacters ? reading.left(kToolTipCharacters) + u'…'
                                                      : reading);
        // A question too long for its line moves along with the reading: its start shows at
        // first, its end at the last kana, and a part of it in between.
        const QString kept = QString(label).remove(u'…');
        EXPECT_TRUE(reading.contains(kept) && !kept.isEmpty());
        EXPECT_EQ(label.startsWith(u'…'), typed > 0 && kana > 5) << label.toStdString();
        EXPECT_EQ(label.endsWith(u'…'), kana > 5 && typed < kana - 1) << label.toStdString();
        EXPECT_EQ(window.questionLabel->toolTip().isEmpty(), label == reading);
        // Painted as drawn, until cleared.
        EXPECT_TRUE(Shows(*window.progressPicture, Qt::red));
        EXPECT_EQ(Shows(*window.progressPicture, Qt::blue), typed > 0);
        window.ClearDisplay();
        EXPECT_FALSE(Shows(*window.progressPicture, Qt::red));
    }
}

// The lowest contrast of a text of `window`, in its palette's colour, against its background
// as rendered (the colour most of its middle row has: buttons shade from top to bottom);
// progressPicture's three colours against its paper, red needing 3:1 where the rest need 4.5:1.
double LowestTextContrast(QWidget& window) {
    double lowest = 21;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool picture = widget->objectName() == u"progressPicture"_s;
        const QVariant text = widget->property(widget->inherits("QGroupBox") ? "title" : "text");
        if (!widget->isVisible() ||
            (text.toString().isEmpty() && !picture && !widget->inherits("QComboBox")))
            continue;
        const QImage image = widget->grab().toImage();
        QMap<QRgb, int> pixels;
        QRgb background = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, image.height() / 2);
            background = ++pixels[pixel] > pixels[background] ? pixel : background;
        }
        using Needs = QList<std::pair<QColor, double>>;
        const QColor drawn = widget->palette().color(widget->foregroundRole());
        for (const auto& [colour, needed] :
             picture ? Needs{{Qt::blue, 4.5}, {Qt::red, 3}, {Qt::black, 4.5}} : Needs{{drawn, 4.5}})
            lowest = std::min(lowest, ContrastRatio(colour, background) * 4.5 / needed);
    }
    return lowest;
}

// Every window's texts stay readable under a light and a dark theme, progressPicture's too.
TEST_F(WindowTest, TextsStayReadableInLightAndDarkThemes) {
    WriteWords(u"犬\nいぬ"_s);
    const QPalette light = QApplication::palette();
    QList<QPalette> palettes{light};
#ifndef _WIN32  // Qt 6.4 gives Windows no dark palette, and its style draws buttons light anyway
    palettes.append(QPalette(QColor(0x35, 0x35, 0x35)));
#endif
    for (const QPalette& palette : palettes) {
        QApplication::setPalette(palette);
        MainWindow& window = Open();
        Key(Qt::Key_Return);
        Type(u"i"_s);
        double lowest = LowestTextContrast(window);
        const auto closing = [&](QDialog& dialog) {
            lowest = std::min(lowest, LowestTextContrast(dialog));
            dialog.done(0);
        };
        WithModal<RomajiSettingsDialog>(closing, [&] { window.romajiSettingsAction->trigger(); });
        WithModal<EndMessage>(closing, [&] { Key(Qt::Key_Return); });
        EXPECT_GE(lowest, 4.5);
    }
    QApplication::setPalette(light);
}

}  // namespace
}  // namespace kanoby::testing
