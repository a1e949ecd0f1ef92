// The real program under a real X server (xvfb-run), driven by real X key
// and mouse events (xdotool, by keycode): a run typed through in romaji and
// in kana to the "終了！" dialog; the romaji settings saved from the menu
// opened with its access keys. Each closes the program from its menu.
#include <QCoreApplication>

#include "EndToEndSupport.h"

namespace kanoby::e2e {

using namespace Qt::StringLiterals;
namespace {

TEST(EndToEnd, TypesRomajiAndKanaToTheEndDialogAndClosesFromTheMenu) {
    RunningProgram kanoby(u"犬\r\nいぬ\r\n豚\r\nぶた\r\n"_s);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const QString& mainWindow = kanoby.mainWindow;
    const int clientTop = WindowSize(mainWindow).height() - 206;  // under the menu bar

    // Enter starts the run; 犬 is typed in romaji: i n u.
    PressKeys({kReturn, 31, 57, 30});
    // Kana input, chosen with the mouse on Option2 in the middle of the run.
    ASSERT_TRUE(Xdotool({u"mousemove"_s, u"--window"_s, mainWindow, u"392"_s,
                         QString::number(clientTop + 48), u"click"_s, u"1"_s}));
    // 豚 in kana: ﾌ on the 2 key, ﾞ on the @ key, ﾀ on the Q key.
    PressKeys({11, 34, 24});

    const QString endDialog = WaitForOtherWindow(mainWindow);
    ASSERT_FALSE(endDialog.isEmpty()) << "the end dialog did not appear";
    // OK has the focus: the space bar dismisses the dialog.
    ASSERT_TRUE(Focus(endDialog));
    PressKeys({kSpace});
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindows() == QStringList{mainWindow}; }))
        << "the end dialog did not close";

    kanoby.CloseFromMenu();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SettingsEndToEnd, SavesFromTheMenuOpenedWithAccessKeys) {
    RunningProgram kanoby(QStringLiteral("犬\r\nいぬ\r\n"));
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const QString& mainWindow = kanoby.mainWindow;

    ChooseMenuItem(39, 27);  // 設定(&S) → ﾛｰﾏ字表示(&R)
    const QString caption = QStringLiteral("^Kanoby　ローマ字表示設定$");
    QStringList settings;
    ASSERT_TRUE(WaitUntil([&] { return (settings = VisibleWindows(caption)).size() == 1; }))
        << "the settings dialog did not appear";

    // OK holds the focus: the space bar presses it.
    ASSERT_TRUE(Focus(settings[0]));
    PressKeys({kSpace});
    const QString confirmation = WaitForOtherWindow(mainWindow);
    ASSERT_FALSE(confirmation.isEmpty()) << "the confirmation did not appear";
    // The message box's OK is its default button.
    ASSERT_TRUE(Focus(confirmation));
    PressKeys({kReturn});
    ASSERT_TRUE(WaitUntil([&] {
        return VisibleWindows() == QStringList{mainWindow} && VisibleWindows(caption).isEmpty();
    })) << "the confirmation or the dialog did not close";

    kanoby.CloseFromMenu();
    const QByteArray expected =
        ReadFile(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
    ASSERT_EQ(expected.size(), 594);
    EXPECT_EQ(ReadFile(kanoby.FilePath(QStringLiteral("Roman.ini"))).toHex(' '),
              expected.toHex(' '));
}

}  // namespace
}  // namespace kanoby::e2e

// The path of the built kanoby is the argument after the test's own flags.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        kanoby::e2e::ProgramUnderTest() = QString::fromLocal8Bit(argv[1]);
    }
    return RUN_ALL_TESTS();
}
