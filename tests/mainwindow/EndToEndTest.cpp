// The real program under a real X server (xvfb-run), driven by real X key
// and mouse events (xdotool, by keycode): a run typed through in romaji and
// in kana to the "終了！" dialog, which is dismissed, and the program closed
// from its menu.
#include "EndToEndSupport.h"

namespace kanoby {
namespace {

using namespace e2e;

TEST(EndToEnd, TypesRomajiAndKanaToTheEndDialogAndClosesFromTheMenu) {
    RunningProgram kanoby(u"犬\r\nいぬ\r\n豚\r\nぶた\r\n"_qs);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const QString mainWindow = kanoby.WaitForMainWindow();
    ASSERT_FALSE(mainWindow.isEmpty()) << "the main window did not appear";
    const int clientTop = WindowSize(mainWindow).height() - 206;  // under the menu bar
    ASSERT_TRUE(Focus(mainWindow));

    // Enter starts the run; 犬 is typed in romaji: i n u.
    PressKeys({kReturn, 31, 57, 30});
    // Kana input, chosen with the mouse on Option2 in the middle of the run.
    const ToolResult click = Xdotool({u"mousemove"_qs, u"--window"_qs, mainWindow, u"392"_qs,
                                      QString::number(clientTop + 48), u"click"_qs, u"1"_qs});
    ASSERT_EQ(click.exitCode, 0) << click.output.toStdString();
    // 豚 in kana: ﾌ on the 2 key, ﾞ on the @ key, ﾀ on the Q key.
    PressKeys({11, 34, 24});

    QString endDialog;
    ASSERT_TRUE(WaitUntil([&] {
        const QStringList windows = VisibleWindows();
        for (const QString& window : windows) {
            if (window != mainWindow) {
                endDialog = window;
            }
        }
        return windows.size() == 2 && !endDialog.isEmpty();
    })) << "the end dialog did not appear";
    EXPECT_EQ(WindowSize(endDialog), QSize(155, 88));

    // OK has the focus: the space bar dismisses the dialog.
    ASSERT_TRUE(Focus(endDialog));
    PressKeys({kSpace});
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindows() == QStringList{mainWindow}; }))
        << "the end dialog did not close";

    // ファイル(&F) → 終了(&X) closes the program.
    ASSERT_TRUE(Focus(mainWindow));
    PressWithAlt(41);  // F
    PressKeys({53});   // X
    QProcess& process = kanoby.Process();
    ASSERT_TRUE(process.waitForFinished(60000)) << "the program did not close";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

}  // namespace
}  // namespace kanoby
