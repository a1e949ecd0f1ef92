#include "mainwindow/EndMessage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "platform/DialogFrame.h"
#include "platform/EnterRepeat.h"
#include "platform/Fonts.h"

namespace kanoby {

using namespace Qt::StringLiterals;

EndMessage::EndMessage(QWidget* owner, const EnterRepeatFilter* repeats)
    : QDialog(owner, kDialogFrame), repeats_(repeats) {
    setObjectName(u"EndMessage"_s);
    setWindowTitle(u"Kanoby"_s);
    setFixedSize(TwipsToPixels(2325), TwipsToPixels(1320));
    setAttribute(Qt::WA_InputMethodEnabled, false);

    okButton = new QPushButton(u"OK"_s, this);
    okButton->setObjectName(u"okButton"_s);
    okButton->setGeometry(TwipsRect(720, 840, 855, 375));
    // Not the default button: the keys are handled in HandleKey.
    okButton->setAutoDefault(false);
    okButton->setDefault(false);
    connect(okButton, &QPushButton::clicked, this, &EndMessage::Close);

    messageLabel = new QLabel(tr("終了！"), this);
    messageLabel->setObjectName(u"messageLabel"_s);
    messageLabel->setGeometry(TwipsRect(240, 240, 1815, 375));
    messageLabel->setFont(JapaneseFont(11.25));
    messageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    okButton->setFocus(Qt::OtherFocusReason);
    // The keys that close the dialog are seen before the focused button.
    create();
    windowHandle()->installEventFilter(this);
}

void EndMessage::Close() {
    close();
}

void EndMessage::closeEvent(QCloseEvent* event) {
    hide();
    event->accept();
}

bool EndMessage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        return HandleKey(*static_cast<const QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

// Only a fresh press closes the dialog: a key held down since the run ended
// (Enter that ended it, the space bar that typed the last kana) repeats, and
// its repeats and its release are let go by.
bool EndMessage::HandleKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space &&
        key != Qt::Key_Escape) {
        return false;
    }
    if (event.type() == QEvent::KeyRelease) {
        releasedKey_ = key;
        releasedAt_ = event.timestamp();
        // A button clicks on the space bar's release.
        if (!event.isAutoRepeat() && pressed_.remove(key) && key == Qt::Key_Space &&
            focusWidget() == okButton) {
            okButton->click();
        }
        return true;
    }
    // X repeats a held key as a release and a press with one time stamp.
    const bool fresh = !event.isAutoRepeat() && !pressed_.contains(key) &&
                       !(key == releasedKey_ && event.timestamp() == releasedAt_) &&
                       (repeats_ == nullptr || !repeats_->IsRepeat(event));
    if (!fresh)
        return true;
    pressed_.insert(key);
    if (key == Qt::Key_Escape) {
        close();
    } else if (key != Qt::Key_Space && focusWidget() == okButton) {
        // Enter means nothing to the dialog itself; a focused OK answers it.
        okButton->click();
    }
    return true;
}

}  // namespace kanoby
