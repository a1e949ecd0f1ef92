// The fixed layouts of the main window and the end dialog.
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "ui/Fonts.h"

namespace kanoby::testing {
namespace {

struct ControlRow {
    const char* objectName;
    const char* className;
    QRect twips;  // left, top, width, height; inside Frame1 for its options
    const char16_t* caption;
    double pointSize;  // 0: the window's default font
    bool italic;
};

void PrintTo(const ControlRow& row, std::ostream* os) {
    *os << row.objectName;
}

QString CaptionOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frame->title();
    }
    return QString();
}

class MainWindowLayoutTest : public WindowTest, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(MainWindowLayoutTest, ControlSitsWhereTheLayoutPutsIt) {
    const ControlRow& row = GetParam();
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.objectName));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(row.className)) << control->metaObject()->className();
    EXPECT_EQ(control->geometry(),
              TwipsRect(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()));
    EXPECT_EQ(CaptionOf(*control), QString::fromUtf16(row.caption));
    if (row.pointSize > 0) {
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), row.pointSize);
        EXPECT_EQ(control->font().families(), JapaneseFontFamilies());
    }
    EXPECT_EQ(control->font().italic(), row.italic);
    EXPECT_FALSE(control->testAttribute(Qt::WA_InputMethodEnabled));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, MainWindowLayoutTest,
    ::testing::Values(
        ControlRow{"Label1", "QLabel", {120, 100, 6375, 375}, u"", 12, false},
        ControlRow{"Frame1", "QGroupBox", {5640, 120, 1215, 855}, u"入力方式", 8.25, false},
        ControlRow{"Option1", "QRadioButton", {120, 240, 975, 255}, u"ローマ字", 8.25, false},
        ControlRow{"Option2", "QRadioButton", {120, 480, 975, 255}, u"かな", 8.25, false},
        ControlRow{"Picture1", "kanoby::ProgressPicture", {240, 1080, 6615, 1215}, u"", 12, false},
        ControlRow{"Command1", "QPushButton", {6120, 2520, 855, 375}, u"スタート", 0, false},
        ControlRow{"Label14", "QLabel", {240, 2520, 3975, 255}, u"Enter：スタート／中断", 9, true}),
    [](const auto& info) { return std::string(info.param.objectName); });

TEST_F(WindowTest, MainWindowHasItsCaptionFixedClientAreaAndColours) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), u"Kanoby"_qs);
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    const QRect before = window.Picture1->geometry();
    window.resize(window.width() + 200, window.height() + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size(), QSize(485, 206));
    EXPECT_EQ(window.Picture1->geometry(), before);

    EXPECT_EQ(window.Label14->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(window.Line1->geometry(), QRect(0, 0, 472, 1));
    EXPECT_EQ(window.Line1->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    // Label1's right end lies under Frame1.
    EXPECT_GT(window.Label1->geometry().right(), window.Frame1->geometry().left());
    EXPECT_GT(window.Label1->parentWidget()->children().indexOf(window.Frame1),
              window.Label1->parentWidget()->children().indexOf(window.Label1));
}

TEST_F(WindowTest, MenusCarryTheirCaptionsAndAccessKeys) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu(), window.MenuFile);
    EXPECT_EQ(window.MenuFile->title(), u"ファイル(&F)"_qs);
    EXPECT_EQ(window.MenuFile->actions(), QList<QAction*>{window.MenuEnd});
    EXPECT_EQ(window.MenuEnd->text(), u"終了(&X)"_qs);
    EXPECT_EQ(menus[1]->menu(), window.MenuSetting);
    EXPECT_EQ(window.MenuSetting->title(), u"設定(&S)"_qs);
    EXPECT_EQ(window.MenuSetting->actions(), QList<QAction*>{window.MenuRoma});
    EXPECT_EQ(window.MenuRoma->text(), u"ﾛｰﾏ字表示(&R)"_qs);
}

TEST_F(WindowTest, TabMovesThroughTheControlsInTheirOrder) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    EXPECT_EQ(QApplication::focusWidget(), window.Command1);  // tab index 0
    QList<QWidget*> order;
    QWidget* widget = window.Command1;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.append(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != window.Command1);
    EXPECT_EQ(order,
              (QList<QWidget*>{window.Command1, window.Option1, window.Option2, window.Picture1}));
    EXPECT_FALSE(window.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(WindowTest, EndDialogIsLaidOutAndCentredOnItsOwner) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    QRect dialogGeometry;
    QString title;
    bool fixed = false;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        auto* dialog = qobject_cast<EndMessage*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogGeometry = dialog->frameGeometry();
        title = dialog->windowTitle();
        fixed = dialog->minimumSize() == dialog->maximumSize();
        EXPECT_EQ(dialog->parentWidget(), &window);
        EXPECT_EQ(dialog->size(), QSize(155, 88));
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(dialog->Label1->geometry(), TwipsRect(240, 240, 1815, 375));
        EXPECT_EQ(dialog->Label1->text(), u"終了！"_qs);
        EXPECT_TRUE(dialog->Label1->alignment().testFlag(Qt::AlignHCenter));
        EXPECT_DOUBLE_EQ(dialog->Label1->font().pointSizeF(), 11.25);
        EXPECT_EQ(dialog->OKButton->geometry(), TwipsRect(720, 840, 855, 375));
        EXPECT_EQ(dialog->OKButton->text(), u"OK"_qs);
        EXPECT_FALSE(dialog->OKButton->isDefault());
        EXPECT_FALSE(dialog->OKButton->autoDefault());
        EXPECT_EQ(dialog->focusWidget(), dialog->OKButton);
        dialog->OKButton->click();
    });
    Key(Qt::Key_Return);
    EXPECT_EQ(title, u"Kanoby"_qs);
    EXPECT_TRUE(fixed);
    const QPoint offset = dialogGeometry.center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

struct DialogKeyRow {
    const char* name;
    Qt::Key key;
    bool autoRepeat;
    bool closes;
};

void PrintTo(const DialogKeyRow& row, std::ostream* os) {
    *os << row.name;
}

class EndDialogKeyTest : public ::testing::TestWithParam<DialogKeyRow> {};

// OK has the focus, so the dialog can be dismissed from the keyboard; it is
// neither the default nor the cancel button.
TEST_P(EndDialogKeyTest, OnlyAKeyThatPressesTheFocusedOkCloses) {
    const DialogKeyRow& row = GetParam();
    QWidget owner;
    owner.show();
    auto dialog = std::make_unique<EndMessage>(&owner);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    ASSERT_EQ(QApplication::focusWidget(), dialog->OKButton);
    QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier, QString(), row.autoRepeat);
    QKeyEvent release(QEvent::KeyRelease, row.key, Qt::NoModifier, QString(), row.autoRepeat);
    QApplication::sendEvent(dialog->OKButton, &press);
    QApplication::sendEvent(dialog->OKButton, &release);
    EXPECT_EQ(dialog->isVisible(), !row.closes);
}

INSTANTIATE_TEST_SUITE_P(EndMessage, EndDialogKeyTest,
                         ::testing::Values(DialogKeyRow{"Space", Qt::Key_Space, false, true},
                                           DialogKeyRow{"Return", Qt::Key_Return, false, true},
                                           DialogKeyRow{"KeypadEnter", Qt::Key_Enter, false, true},
                                           DialogKeyRow{"HeldReturn", Qt::Key_Return, true, false},
                                           DialogKeyRow{"Escape", Qt::Key_Escape, false, false},
                                           DialogKeyRow{"Letter", Qt::Key_A, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kanoby::testing
