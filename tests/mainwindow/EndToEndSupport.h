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

// Runs xdotool; true when it exited with 0 in time. Its output goes to `output`.
inline bool Xdotool(const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool done = process.waitForFinished(15000);
    if (!done) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (output != nullptr) {
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }
    return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

inline void PressKeys(const QList<int>& keycodes) {
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    for (const int keycode : keycodes) {
        arguments.append(QString::number(keycode));
    }
    ASSERT_TRUE(Xdotool(arguments)) << arguments.join(u' ').toStdString();
}

// A menu item chosen by its access keys: Alt with the menu's, then the item's.
inline void ChooseMenuItem(int menuKeycode, int itemKeycode) {
    ASSERT_TRUE(Xdotool({QStringLiteral("keydown"), QString::number(kAlt)}));
    PressKeys({menuKeycode});
    ASSERT_TRUE(Xdotool({QStringLiteral("keyup"), QString::number(kAlt)}));
    PressKeys({itemKeycode});
}

// Visible top-level windows whose caption matches the regular expression
// `caption`. The main window, the end dialog and message boxes are all
// captioned "Kanoby".
inline QStringList VisibleWindows(const QString& caption = QStringLiteral("^Kanoby$")) {
    QString found;
    Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             caption},
            &found);
    return found.split(u'\n', Qt::SkipEmptyParts);
}

// No window manager runs under xvfb-run, so windows are given the keyboard.
inline bool Focus(const QString& window) {
    return Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
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
    QString shell;  // lines such as WIDTH=485
    Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}, &shell);
    const auto value = [&shell](const QString& key) {
        return shell.section(key, 1).section(u'\n', 0, 0).toInt();
    };
    return {value(QStringLiteral("WIDTH=")), value(QStringLiteral("HEIGHT="))};
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

// The program started from a directory of its own, beside `words` as its
// word.txt (code page 932), with its main window up and focused; killed when
// the test ends, if still running.
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

    // ファイル(&F) → 終了(&X) ends the program, which exits normally.
    void CloseFromMenu() {
        ASSERT_TRUE(Focus(mainWindow));
        ChooseMenuItem(kKeyF, kKeyX);
        ASSERT_TRUE(process_.waitForFinished(60000)) << "the program did not close";
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
    }

    QString mainWindow;

  private:
    void Start(const QString& words) {
        ASSERT_FALSE(ProgramUnderTest().isEmpty()) << "usage: <test> <path of kanoby>";
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run me under xvfb-run";
        const QString program = dir_.filePath(QStringLiteral("kanoby"));
        ASSERT_TRUE(QFile::copy(ProgramUnderTest(), program));
        QFile file(dir_.filePath(QStringLiteral("word.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(EncodeCp932(words)) > 0);
        file.close();
        process_.setWorkingDirectory(QDir::tempPath());  // word.txt is found beside the program
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(program, {});
        ASSERT_TRUE(process_.waitForStarted(10000));
        // The main window is the one whose outer width is 485.
        ASSERT_TRUE(WaitUntil([&] {
            const QStringList windows = VisibleWindows();
            mainWindow = windows.size() == 1 && WindowSize(windows[0]).width() == 485 ? windows[0]
                                                                                      : QString();
            return !mainWindow.isEmpty();
        })) << "the main window did not appear";
        ASSERT_TRUE(Focus(mainWindow));
    }

    QTemporaryDir dir_;
    QProcess process_;
};

}  // namespace kanoby::e2e
