// The fixed layout of the main window, and the keys of the end dialog.
#include <QFontDatabase>
#include <QGroupBox>
#include <QMessageBox>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "prefs/RomanSetting.h"
#include "ui/Fonts.h"

namespace kanoby::testing {

using namespace Qt::StringLiterals;
namespace {

// Where the controls sit is tried by the end-to-end tests, which click
// Option2, and so are the menus and their access keys.
TEST_F(WindowTest, MainWindowHasItsControlsAFixedSizeAndTabOrder) {
    MainWindow& window = Open();
    QStringList captions;
    for (const char* name :
         {"Label1", "Frame1", "Option1", "Option2", "Picture1", "Command1", "Label14"}) {
        const auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        captions.append(
            control->property(control->inherits("QGroupBox") ? "title" : "text").toString());
        EXPECT_FALSE(control->testAttribute(Qt::WA_InputMethodEnabled)) << name;
        if (control != window.Command1) {  // it keeps the window's default font
            EXPECT_EQ(control->font().families(), JapaneseFontFamilies()) << name;
        }
    }
    EXPECT_EQ(captions.join(u'|'), u"|入力方式|ローマ字|かな||スタート|Enter：スタート／中断"_s);
    for (const QRadioButton* option :
         {window.Option1, window.Option2}) {  // not on the frame's line
        EXPECT_TRUE(window.Frame1->contentsRect().contains(option->geometry()))
            << option->text().toStdString();
    }
    EXPECT_DOUBLE_EQ(window.Label1->font().pointSizeF() + window.Label14->font().pointSizeF(),
                     12 + 9);
    EXPECT_TRUE(window.Label14->font().italic());
    EXPECT_FALSE(window.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(window.Label14->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(window.windowTitle(), u"Kanoby"_s);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window.resize(window.width() + 200, window.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));

    EXPECT_EQ(QApplication::focusWidget(), window.Command1);  // tab index 0
    QList<QWidget*> order;
    for (QWidget* widget = window.Command1; order.size() < 5; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.append(widget);
        }
    }
    EXPECT_EQ(order, (QList<QWidget*>{window.Command1, window.Option1, window.Option2,
                                      window.Picture1, window.Command1}));
}

// The dialogs are small and fixed: a title and a close button, nothing to
// minimise or maximise; and a message box leaves its title room beside an
// icon and three buttons of the title bar.
TEST_F(WindowTest, DialogsHaveOnlyATitleAndACloseButton) {
    MainWindow& window = Open();
    QList<Qt::WindowFlags> frames{
        EndMessage(&window).windowFlags(),
        RomanSetting(window.JudgeTables(), Dir(), Boxes(), &window).windowFlags()};
    int boxWidth = 0;
    WithModal<QMessageBox>(
        [&](QMessageBox& box) {
            frames.append(box.windowFlags());
            boxWidth = box.width();
            box.button(QMessageBox::Ok)->click();
        },
        [&] { QtMessageBoxes().Show(&window, u"設定を保存しました"_s); });
    ASSERT_EQ(frames.size(), 3);
    for (const Qt::WindowFlags flags : frames) {
        EXPECT_EQ(flags & (Qt::WindowType_Mask | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowMinMaxButtonsHint),
                  Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    EXPECT_GE(boxWidth, title.horizontalAdvance(u"Kanoby"_s) + 4 * 1.5 * title.height());
}

// OK has the focus, so the dialog can be dismissed from the keyboard; it is
// neither the default nor the cancel button, and a held Enter (the one that
// ended the run) does not dismiss it the moment it opens.
TEST(EndDialogKeyTest, OnlyAKeyThatPressesTheFocusedOkCloses) {
    struct Row {
        Qt::Key key;
        bool autoRepeat;
        bool closes;
    };
    for (const Row& row : {Row{Qt::Key_Space, false, true}, Row{Qt::Key_Return, false, true},
                           Row{Qt::Key_Return, true, false}, Row{Qt::Key_Escape, false, false}}) {
        QWidget owner;
        owner.show();
        EndMessage dialog(&owner);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        ASSERT_EQ(QApplication::focusWidget(), dialog.OKButton);
        QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier, QString(), row.autoRepeat);
        QKeyEvent release(QEvent::KeyRelease, row.key, Qt::NoModifier, QString(), row.autoRepeat);
        QApplication::sendEvent(dialog.OKButton, &press);
        QApplication::sendEvent(dialog.OKButton, &release);
        EXPECT_EQ(dialog.isVisible(), !row.closes)
            << "key " << row.key << " held " << row.autoRepeat;
    }
}

}  // namespace
}  // namespace kanoby::testing
