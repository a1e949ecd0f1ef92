// What the main window tests share: a program directory of their own, a
// recorder for message boxes, keys sent through the window as the platform
// sends them, and the end dialog closed from a single-shot timer.
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
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "mainwindow/EndMessage.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgressPicture.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"

namespace kanoby::testing {

class RecordingBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* /*parent*/, const QString& text) override { shown.append(text); }
    QStringList shown;
};

using Words = std::vector<std::pair<QString, QString>>;

// word.txt as it is kept: code page 932, CR LF after every line.
inline QByteArray WordFileBytes(const Words& words) {
    QByteArray bytes;
    for (const auto& [display, reading] : words) {
        bytes += EncodeCp932(display) + "\r\n" + EncodeCp932(reading) + "\r\n";
    }
    return bytes;
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// What the end dialog looked like while it was open.
struct EndDialogSeen {
    int count = 0;
    QString text;
    bool okHadFocus = false;
    bool ownerVisible = false;
    QString ownerRunState;
    QString ownerLabel;
    QString ownerCaption;
    qsizetype ownerDrawnCount = -1;
};

// Runs `action` with a single-shot timer armed that records and dismisses the
// end dialog should `action` open one; the timer dies with this call.
inline EndDialogSeen RunExpectingEndDialog(MainWindow& owner, const std::function<void()>& action) {
    EndDialogSeen seen;
    QObject timerContext;
    std::function<void()> closeDialog;
    closeDialog = [&] {
        auto* dialog = qobject_cast<EndMessage*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(5, &timerContext, closeDialog);  // not open yet
            return;
        }
        ++seen.count;
        seen.text = dialog->Label1->text();
        seen.okHadFocus = dialog->focusWidget() == dialog->OKButton;
        seen.ownerVisible = owner.isVisible();
        seen.ownerRunState = owner.RunState();
        seen.ownerLabel = owner.Label1->text();
        seen.ownerCaption = owner.Command1->text();
        seen.ownerDrawnCount = owner.Picture1->Drawn().size();
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        QTimer::singleShot(5, &timerContext, closeDialog);  // a later one in the same action
    };
    QTimer::singleShot(0, &timerContext, closeDialog);
    action();
    return seen;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Dir() const { return dir_.path(); }

    void WriteWords(const Words& words) {
        WriteFile(dir_.filePath(u"word.txt"_qs), WordFileBytes(words));
    }

    // Builds the window (Form_Load runs here), shows it and waits until it
    // has the keyboard.
    MainWindow& Open() {
        window_ = std::make_unique<MainWindow>(Dir(), boxes_);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }

    MainWindow& Window() { return *window_; }
    RecordingBoxes& Boxes() { return boxes_; }

    // A key pressed and released on the window, the way the platform
    // delivers it: through its native window, shortcuts first.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_->windowHandle(), key, modifiers);
    }

    void Type(const char* letters) {
        for (const char* c = letters; *c != '\0'; ++c) {
            QTest::keyClick(window_->windowHandle(), *c);
        }
    }

    // A hand-built key-down, for what QTest cannot say: native scan codes and
    // auto-repeat.
    void SendKeyDown(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
                     const QString& text, bool autoRepeat = false) {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, nativeScanCode, 0, 0, text, autoRepeat);
        QCoreApplication::sendEvent(window_->windowHandle(), &event);
    }

    QStringList DrawnTexts() const {
        QStringList texts;
        for (const DrawnText& item : window_->Picture1->Drawn()) {
            texts.append(item.text);
        }
        return texts;
    }

    EndDialogSeen ExpectingEndDialog(const std::function<void()>& action) {
        return RunExpectingEndDialog(*window_, action);
    }

  private:
    QTemporaryDir dir_;
    RecordingBoxes boxes_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kanoby::testing
