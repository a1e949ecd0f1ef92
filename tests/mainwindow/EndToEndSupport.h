// What the end-to-end tests share: the real program copied into a directory
// of its own with a word.txt, real X key events by keycode (xdotool), and
// polling with a time limit instead of fixed sleeps.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <thread>

#include "ui/TextCodec.h"

namespace kanoby::e2e {

using namespace std::chrono_literals;

// The built kanoby, from the command line.
inline QString& ProgramUnderTest() {
    static QString program;
    return program;
}

// X keycodes (evdev + 8).
inline constexpr int kReturn = 36, kSpace = 65, kAlt = 64, kKeyF = 41, kKeyX = 53;

struct ToolResult {
    int exitCode = -1;  // also when it did not finish in time
    QString output;
};

inline ToolResult Xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForStarted(10000)) {
        return {-1, process.errorString()};
    }
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(5000);
        return {-1, QStringLiteral("xdotool did not finish")};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed()};
}

inline void PressKeys(const QList<int>& keycodes) {
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    for (const int keycode : keycodes) {
        arguments.append(QString::number(keycode));
    }
    const ToolResult result = Xdotool(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
}

// A menu item chosen by its access keys: Alt with the menu's, then the item's.
inline void ChooseMenuItem(int menuKeycode, int itemKeycode) {
    ASSERT_EQ(Xdotool({QStringLiteral("keydown"), QString::number(kAlt)}).exitCode, 0);
    PressKeys({menuKeycode});
    ASSERT_EQ(Xdotool({QStringLiteral("keyup"), QString::number(kAlt)}).exitCode, 0);
    PressKeys({itemKeycode});
}

// Visible top-level windows whose caption matches the regular expression
// `caption`. The main window, the end dialog and message boxes are all
// captioned "Kanoby".
inline QStringList VisibleWindows(const QString& caption = QStringLiteral("^Kanoby$")) {
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), caption})
        .output.split(u'\n', Qt::SkipEmptyParts);
}

// No window manager runs under xvfb-run, so windows are given the keyboard.
inline bool Focus(const QString& window) {
    return Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}).exitCode == 0;
}

// Polls until `done` holds; false when `limit` has passed first.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 60s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

inline QSize WindowSize(const QString& window) {
    QSize size;
    const QString shell =
        Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}).output;
    for (const QString& line : shell.split(u'\n')) {
        if (line.startsWith(QStringLiteral("WIDTH="))) {
            size.setWidth(line.mid(6).toInt());
        } else if (line.startsWith(QStringLiteral("HEIGHT="))) {
            size.setHeight(line.mid(7).toInt());
        }
    }
    return size;
}

// The one visible "Kanoby" window besides `mainWindow` (the end dialog or a
// message box) once it is there; empty when none came.
inline QString WaitForOtherWindow(const QString& mainWindow) {
    QString other;
    WaitUntil([&] {
        const QStringList windows = VisibleWindows();
        other = windows.size() == 2 && windows.contains(mainWindow)
                    ? windows[windows[0] == mainWindow ? 1 : 0]
                    : QString();
        return !other.isEmpty();
    });
    return other;
}

// The program running from a directory of its own, beside `words` as its
// word.txt (code page 932); killed when the test ends, if still running.
class RunningProgram {
  public:
    explicit RunningProgram(const QString& words) { Start(words); }
    ~RunningProgram() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    QString FilePath(const QString& name) const { return dir_.filePath(name); }

    // The main window once it is up (its outer width is 485), or empty.
    QString WaitForMainWindow() {
        QString mainWindow;
        WaitUntil([&] {
            const QStringList windows = VisibleWindows();
            mainWindow = windows.size() == 1 && WindowSize(windows[0]).width() == 485 ? windows[0]
                                                                                      : QString();
            return !mainWindow.isEmpty();
        });
        return mainWindow;
    }

    // ファイル(&F) → 終了(&X) ends the program, which exits normally.
    void CloseFromMenu(const QString& mainWindow) {
        ASSERT_TRUE(Focus(mainWindow));
        ChooseMenuItem(kKeyF, kKeyX);
        ASSERT_TRUE(process_.waitForFinished(60000)) << "the program did not close";
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
    }

  private:
    void Start(const QString& words) {
        ASSERT_FALSE(ProgramUnderTest().isEmpty()) << "usage: <test> <path of kanoby>";
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run me under xvfb-run";
        ASSERT_TRUE(dir_.isValid());
        const QString program = dir_.filePath(QStringLiteral("kanoby"));
        ASSERT_TRUE(QFile::copy(ProgramUnderTest(), program));
        QFile file(dir_.filePath(QStringLiteral("word.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodeCp932(words));
        file.close();

        process_.setWorkingDirectory(QDir::tempPath());  // word.txt is found beside the program
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(program, {});
        ASSERT_TRUE(process_.waitForStarted(10000));
    }

    QTemporaryDir dir_;
    QProcess process_;
};

}  // namespace kanoby::e2e
