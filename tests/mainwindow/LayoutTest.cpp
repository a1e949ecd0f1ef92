// The fixed layouts of the main window and the end dialog.
#include <QGroupBox>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "ui/Fonts.h"

namespace kanoby::testing {
namespace {

TEST_F(WindowTest, MainWindowControlsSitWhereTheLayoutPutsThem) {
    struct Row {
        const char* objectName;
        QRect twips;  // left, top, width, height; inside Frame1 for its options
        const char16_t* caption;
        double pointSize;  // 0: the window's default font
        bool italic;
    };
    // clang-format off
    const Row rows[] = {
        {"Label1", {120, 100, 6375, 375}, u"", 12, false},
        {"Frame1", {5640, 120, 1215, 855}, u"入力方式", 8.25, false},
        {"Option1", {120, 240, 975, 255}, u"ローマ字", 8.25, false},
        {"Option2", {120, 480, 975, 255}, u"かな", 8.25, false},
        {"Picture1", {240, 1080, 6615, 1215}, u"", 12, false},
        {"Command1", {6120, 2520, 855, 375}, u"スタート", 0, false},
        {"Label14", {240, 2520, 3975, 255}, u"Enter：スタート／中断", 9, true},
    };
    // clang-format on
    MainWindow& window = Open();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.objectName);
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.objectName));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(),
                  TwipsRect(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()));
        EXPECT_EQ(control->property(control->inherits("QGroupBox") ? "title" : "text").toString(),
                  QString::fromUtf16(row.caption));
        if (row.pointSize > 0) {
            EXPECT_DOUBLE_EQ(control->font().pointSizeF(), row.pointSize);
            EXPECT_EQ(control->font().families(), JapaneseFontFamilies());
        }
        EXPECT_EQ(control->font().italic(), row.italic);
        EXPECT_FALSE(control->testAttribute(Qt::WA_InputMethodEnabled));
    }
    EXPECT_FALSE(window.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(window.Label14->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
}

TEST_F(WindowTest, MainWindowHasAFixedSizeAndTabOrder) {
    MainWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), u"Kanoby"_qs);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window.resize(window.width() + 200, window.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));

    // The menus and their access keys are used by the end-to-end tests.
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

TEST_F(WindowTest, EndDialogIsLaidOutAndCentredOnItsOwner) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    QPoint offset;
    WithModal<EndMessage>(
        [&](EndMessage& dialog) {
            offset = dialog.frameGeometry().center() - window.frameGeometry().center();
            EXPECT_EQ(dialog.windowTitle(), u"Kanoby"_qs);
            EXPECT_EQ(dialog.parentWidget(), &window);
            EXPECT_EQ(dialog.size(), QSize(155, 88));
            EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
            EXPECT_EQ(dialog.Label1->geometry(), TwipsRect(240, 240, 1815, 375));
            EXPECT_EQ(dialog.OKButton->geometry(), TwipsRect(720, 840, 855, 375));
            EXPECT_EQ(dialog.OKButton->text(), u"OK"_qs);
            dialog.OKButton->click();
        },
        [&] { Key(Qt::Key_Return); });
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
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
