// What the end-to-end tests share: the real program copied into a directory
// of its own with a word.txt, real X key events by keycode (xdotool), and
// polling with a time limit instead of fixed sleeps.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <thread>

#include "ui/TextCodec.h"

namespace kanoby::e2e {

using namespace std::chrono_literals;

// The built kanoby, from the command line (EndToEndMain.cpp).
inline QString& ProgramUnderTest() {
    static QString program;
    return program;
}

// X keycodes of the keys typed (evdev + 8).
inline constexpr int kReturn = 36;
inline constexpr int kSpace = 65;
inline constexpr int kAlt = 64;

struct ToolResult {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

inline ToolResult RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(10000)) {
        result.output = process.errorString();
        return result;
    }
    result.finished = process.waitForFinished(15000);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return result;
}

inline ToolResult Xdotool(const QStringList& arguments) {
    return RunTool(QStringLiteral("xdotool"), arguments);
}

inline void PressKeys(const QList<int>& keycodes) {
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    for (const int keycode : keycodes) {
        arguments.append(QString::number(keycode));
    }
    const ToolResult result = Xdotool(arguments);
    ASSERT_TRUE(result.finished && result.exitCode == 0) << result.output.toStdString();
}

// A key pressed with Alt held, as for a menu's access key.
inline void PressWithAlt(int keycode) {
    ASSERT_EQ(Xdotool({QStringLiteral("keydown"), QString::number(kAlt)}).exitCode, 0);
    PressKeys({keycode});
    ASSERT_EQ(Xdotool({QStringLiteral("keyup"), QString::number(kAlt)}).exitCode, 0);
}

// Visible top-level windows whose caption matches the regular expression
// `caption`. The main window, the end dialog and message boxes are all
// captioned "Kanoby".
inline QStringList VisibleWindows(const QString& caption = QStringLiteral("^Kanoby$")) {
    const ToolResult result = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), caption});
    return result.output.split(u'\n', Qt::SkipEmptyParts);
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
    const ToolResult result =
        Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QSize size;
    for (const QString& line : result.output.split(u'\n')) {
        if (line.startsWith(QStringLiteral("WIDTH="))) {
            size.setWidth(line.mid(6).toInt());
        } else if (line.startsWith(QStringLiteral("HEIGHT="))) {
            size.setHeight(line.mid(7).toInt());
        }
    }
    return size;
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
    QProcess& Process() { return process_; }

    // The main window once it is up (its outer width is 485), or empty.
    QString WaitForMainWindow() {
        QString mainWindow;
        WaitUntil([&] {
            const QStringList windows = VisibleWindows();
            if (windows.size() != 1 || WindowSize(windows[0]).width() != 485) {
                return false;
            }
            mainWindow = windows[0];
            return true;
        });
        return mainWindow;
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
