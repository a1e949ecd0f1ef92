// What the user sees of the windows: the main window's controls where the
// layout puts them, and the dialogs' frames.
#include <QFontDatabase>
#include <QGroupBox>
#include <QMessageBox>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "prefs/RomanSetting.h"

namespace kanoby::testing {
namespace {

TEST_F(WindowTest, MainWindowKeepsItsLayout) {
    MainWindow& window = Open();
    window.resize(window.width() + 200, window.height() + 100);
    QStringList controls;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             window.Label1, window.Frame1, window.Option1, window.Option2, window.Picture1,
             window.Command1, window.Label14, window.Line1}) {
        const QRect r = control->geometry();
        const QVariant text = control->property(control->inherits("QGroupBox") ? "title" : "text");
        controls.append(
            QString::asprintf("%s %s %d,%d %dx%d %s%gpt", qPrintable(control->objectName()),
                              qPrintable(text.toString()), r.x(), r.y(), r.width(), r.height(),
                              control->font().italic() ? "i " : "", control->font().pointSizeF()));
    }
    EXPECT_EQ(controls.join(u" | "),
              u"Label1  8,7 425x25 12pt | Frame1 入力方式 376,8 81x57 8.25pt | "
              u"Option1 ローマ字 8,19 65x17 8.25pt | Option2 かな 8,35 65x17 8.25pt | "
              u"Picture1  16,72 441x81 12pt | Command1 スタート 408,168 57x25 9pt | "
              u"Label14 Enter：スタート／中断 16,168 265x17 i 9pt | Line1  0,0 472x1 9pt"_s);
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));
    for (const QRadioButton* option : {window.Option1, window.Option2}) {  // off the frame's line
        EXPECT_TRUE(window.Frame1->contentsRect().contains(option->geometry()));
    }
    EXPECT_EQ(window.windowTitle(), u"Kanoby"_s);
    EXPECT_FALSE(window.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(window.Label14->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
}

// Small fixed dialogs: a title and a close button, nothing to minimise or
// maximise, and a message box wide enough for its title.
TEST_F(WindowTest, DialogsHaveATitleAndACloseButtonOnly) {
    MainWindow& window = Open();
    QList<Qt::WindowFlags> frames{
        EndMessage(&window).windowFlags(),
        RomanSetting(window.JudgeTables(), Dir(), boxes, &window).windowFlags()};
    int boxWidth = 0;
    WithModal<QMessageBox>(
        [&](QMessageBox& box) {
            frames.append(box.windowFlags());
            boxWidth = box.width();
            box.button(QMessageBox::Ok)->click();
        },
        [&] { QtMessageBoxes().Show(&window, u"設定を保存しました"_s); });
    for (Qt::WindowFlags& flags : frames) {
        flags &= Qt::WindowType_Mask | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinMaxButtonsHint;
    }
    EXPECT_EQ(frames, QList<Qt::WindowFlags>(
                          3, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    EXPECT_GE(boxWidth, title.horizontalAdvance(u"Kanoby"_s) + 6 * title.height());
}

}  // namespace
}  // namespace kanoby::testing
