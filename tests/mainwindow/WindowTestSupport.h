// What the main window tests share: a program directory of their own, a
// recorder for message boxes, keys sent through the window as the platform
// sends them, and modal dialogs handled from a single-shot timer.
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

// Failures show the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby::testing {

using namespace Qt::StringLiterals;

class RecordingBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* /*parent*/, const QString& text) override { shown.append(text); }
    QStringList shown;
};

using Words = std::vector<std::pair<QString, QString>>;

// Runs `action` with a single-shot timer armed that hands every modal dialog
// of type `Dialog` that `action` opens to `handle`, which must close it.
template <typename Dialog>
void WithModal(const std::function<void(Dialog&)>& handle, const std::function<void()>& action) {
    QObject timerContext;  // the timer dies with this call
    std::function<void()> poll;
    poll = [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            handle(*dialog);
        }
        QTimer::singleShot(5, &timerContext, poll);
    };
    QTimer::singleShot(0, &timerContext, poll);
    action();
}

// The end dialogs an action opened, and how the last one and the window
// looked while it was open: as kEndDialogSeen says, when all is well.
struct EndDialogSeen {
    int count = 0;
    QString looked;
};
inline const QString kEndDialogSeen =
    u"終了！ | OK focused | fixed, centred on the window | run ended, display cleared | スタート"_s;

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Dir() const { return dir_.path(); }

    // word.txt as it is kept: code page 932, CR LF after every line.
    void WriteWords(const Words& words) const {
        QByteArray bytes;
        for (const auto& [display, reading] : words) {
            bytes += EncodeCp932(display) + "\r\n" + EncodeCp932(reading) + "\r\n";
        }
        WriteFile(u"word.txt"_s, bytes);
    }
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Builds the window (Form_Load runs here), shows it and waits until it
    // has the keyboard.
    MainWindow& Open() {
        window_ = std::make_unique<MainWindow>(Dir(), boxes_);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }

    RecordingBoxes& Boxes() { return boxes_; }

    // A key pressed and released on the window, the way the platform
    // delivers it: through its native window.
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
    void SendKeyDown(int qtKey, quint32 nativeScanCode, const QString& text,
                     bool autoRepeat = false) {
        QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier, nativeScanCode, 0, 0, text,
                        autoRepeat);
        QCoreApplication::sendEvent(window_->windowHandle(), &event);
    }

    // The window at a glance: RunState|QuestionIndex|Command1|Label1|what
    // Picture1 shows, e.g. "1|0|中断|犬|い ぬ i nu", or "|0|スタート||" when idle.
    QString State() const {
        return QStringList{window_->RunState(), QString::number(window_->QuestionIndex()),
                           window_->Command1->text(), window_->Label1->text(),
                           DrawnTexts().join(u' ')}
            .join(u'|');
    }
    QStringList DrawnTexts() const {
        QStringList texts;
        for (const DrawnText& item : window_->Picture1->Drawn()) {
            texts.append(item.text);
        }
        return texts;
    }
    QString TypedKeys() const {
        return QString::fromStdU16String(window_->TypingState().TypedKeys);
    }
    QString GuideText() const {
        return QString::fromStdU16String(window_->TypingState().GuideText);
    }

    // Runs `action`, recording and dismissing every end dialog it opens.
    EndDialogSeen ExpectingEndDialog(const std::function<void()>& action) {
        EndDialogSeen seen;
        const MainWindow& owner = *window_;
        WithModal<EndMessage>(
            [&](EndMessage& dialog) {
                const QPoint offset =
                    dialog.frameGeometry().center() - owner.frameGeometry().center();
                const bool placed = dialog.minimumSize() == dialog.maximumSize() &&
                                    dialog.parentWidget() == &owner &&
                                    offset.manhattanLength() <= 4;
                const bool ended = owner.RunState().isEmpty() && owner.Label1->text().isEmpty() &&
                                   owner.Picture1->Drawn().isEmpty();
                ++seen.count;
                seen.looked =
                    QStringList{dialog.Label1->text(),
                                dialog.focusWidget() == dialog.OKButton ? u"OK focused"_s
                                                                        : u"OK not focused"_s,
                                placed && owner.isVisible() ? u"fixed, centred on the window"_s
                                                            : u"misplaced"_s,
                                ended ? u"run ended, display cleared"_s : u"run not ended"_s,
                                owner.Command1->text()}
                        .join(u" | ");
                QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
            },
            action);
        return seen;
    }

  private:
    QTemporaryDir dir_;
    RecordingBoxes boxes_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kanoby::testing
