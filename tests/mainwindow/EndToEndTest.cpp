// The real program under a real X server (xvfb-run), driven by real X key
// and mouse events (xdotool, by keycode): a run typed through in romaji and
// in kana to the "終了！" dialog, which is dismissed, and the program closed
// from its menu.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "EndToEndSupport.h"

namespace kanoby {
namespace {

using namespace e2e;

TEST(EndToEnd, TypesRomajiAndKanaToTheEndDialogAndClosesFromTheMenu) {
    ASSERT_FALSE(ProgramUnderTest().isEmpty()) << "usage: kanoby_e2e_tests <path of kanoby>";
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run me under xvfb-run";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(u"kanoby"_qs);
    ASSERT_TRUE(QFile::copy(ProgramUnderTest(), program));
    QFile words(dir.filePath(u"word.txt"_qs));
    ASSERT_TRUE(words.open(QIODevice::WriteOnly));
    words.write(EncodeCp932(u"犬\r\nいぬ\r\n豚\r\nぶた\r\n"_qs));
    words.close();

    QProcess kanoby;
    kanoby.setWorkingDirectory(QDir::tempPath());  // word.txt is found beside the program
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    kanoby.start(program, {});
    ASSERT_TRUE(kanoby.waitForStarted(10000));
    const auto stopProgram = qScopeGuard([&] {
        if (kanoby.state() != QProcess::NotRunning) {
            kanoby.kill();
            kanoby.waitForFinished(5000);
        }
    });

    QString mainWindow;
    ASSERT_TRUE(WaitUntil([&] {
        const QStringList windows = VisibleWindows();
        if (windows.size() != 1 || WindowSize(windows[0]).width() != 485) {
            return false;
        }
        mainWindow = windows[0];
        return true;
    })) << "the main window did not appear";
    const int clientTop = WindowSize(mainWindow).height() - 206;  // under the menu bar

    // No window manager runs here, so the window is given the keyboard.
    ASSERT_EQ(Xdotool({u"windowfocus"_qs, u"--sync"_qs, mainWindow}).exitCode, 0);

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
    ASSERT_EQ(Xdotool({u"windowfocus"_qs, u"--sync"_qs, endDialog}).exitCode, 0);
    PressKeys({kSpace});
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindows() == QStringList{mainWindow}; }))
        << "the end dialog did not close";

    // ファイル(&F) → 終了(&X) closes the program.
    ASSERT_EQ(Xdotool({u"windowfocus"_qs, u"--sync"_qs, mainWindow}).exitCode, 0);
    ASSERT_EQ(Xdotool({u"keydown"_qs, QString::number(kAlt)}).exitCode, 0);
    PressKeys({41});  // F
    ASSERT_EQ(Xdotool({u"keyup"_qs, QString::number(kAlt)}).exitCode, 0);
    PressKeys({53});  // X
    ASSERT_TRUE(kanoby.waitForFinished(60000)) << "the program did not close";
    EXPECT_EQ(kanoby.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kanoby.exitCode(), 0);
}

}  // namespace
}  // namespace kanoby
