// What the window tests share: a program directory of their own, recorded message boxes,
// keys sent as the platform sends them, and modal dialogs answered from a timer.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>
#include <functional>
#include <memory>

#include "files/TextCodec.h"
#include "mainwindow/EndMessage.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgressPicture.h"
#include "platform/MessageBox.h"

// Failures show the text, not its code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby::testing {

using namespace Qt::StringLiterals;

struct RecordingBoxes final : MessageBoxes {
    void Show(QWidget*, const QString& text) override { shown.append(text); }
    QStringList shown;
};

// Runs `action`; every modal `Dialog` it opens meanwhile goes to `handle`, which must close it.
template <typename Dialog>
void WithModal(const std::function<void(Dialog&)>& handle, const std::function<void()>& action) {
    QObject context;  // the timer dies with this call
    std::function<void()> poll = [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            handle(*dialog);
        QTimer::singleShot(5, &context, poll);
    };
    QTimer::singleShot(0, &context, poll);
    action();
}

class WindowTest : public ::testing::Test {
  protected:
    QString Dir() const { return dir_.path(); }
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // word.txt in code page 932 with CR LF line ends.
    void WriteWords(const QString& lines) const {
        WriteFile(u"word.txt"_s, EncodeCp932(QString(lines).replace(u'\n', u"\r\n"_s)));
    }
    // Builds the window (StartUp runs here, with the command line's `listToOpen`) and waits
    // until it has the keyboard.
    MainWindow& Open(const QString& listToOpen = {}) {
        window_.reset();
        window_ = std::make_unique<MainWindow>(FileLocations{Dir(), Dir()}, boxes, listToOpen);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_->windowHandle(), key, modifiers);
    }
    void Type(const QString& letters) {
        for (const QChar c : letters)
            QTest::keyClick(window_->windowHandle(), c.toLatin1());
    }
    // RunState|QuestionIndex|startButton|questionLabel|what progressPicture shows.
    QString State() const {
        QStringList drawn;
        for (const DrawnText& item : window_->progressPicture->Drawn())
            drawn.append(item.text);
        return QStringList{(window_->Running() ? u"1"_s : u""_s),
                           QString::number(window_->QuestionIndex()), window_->startButton->text(),
                           window_->questionLabel->text(), drawn.join(u' ')}
            .join(u'|');
    }
    // Runs `action` and counts the end dialogs it opens, each after an ended run (display
    // cleared, the button reading スタート). Held keys (the Enter that ended the run, the space
    // bar that typed its last kana) repeat and leave it open; a fresh Escape, Enter or space
    // bar, by turns, closes it.
    int EndDialogs(const std::function<void()>& action) {
        int seen = 0;
        WithModal<EndMessage>(
            [&](EndMessage& dialog) {
                EXPECT_EQ(dialog.parentWidget(), window_.get());
                EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QWidget*>(u"okButton"_s));
                EXPECT_EQ(State(), u"|%1|スタート||"_s.arg(window_->QuestionIndex()));
                // As X repeats a held key: releases and presses in pairs of one time stamp,
                // some marked as repeats, then the last release.
                quint64 time = 1000;
                const auto send = [&](Qt::Key key, QEvent::Type type, bool marked = false) {
                    QKeyEvent event(type, key, Qt::NoModifier, QString(), marked);
                    event.setTimestamp(time);
                    QApplication::sendEvent(dialog.windowHandle(), &event);
                };
                for (const Qt::Key held : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
                    for (const bool marked : {false, true}) {
                        send(held, QEvent::KeyRelease, marked);
                        send(held, QEvent::KeyPress, marked);
                        time += 40;
                    }
                    send(held, QEvent::KeyRelease);
                }
                EXPECT_TRUE(dialog.isVisible()) << "closed by a held key";
                const Qt::Key fresh =
                    std::array{Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}[closings_++ % 3];
                time += 90;
                send(fresh, QEvent::KeyPress);
                time += 90;
                send(fresh, QEvent::KeyRelease);
                ++seen;
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the end dialog stayed open";
                    dialog.okButton->click();
                }
            },
            action);
        return seen;
    }

    RecordingBoxes boxes;

  private:
    int closings_ = 0;
    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kanoby::testing
