#include "mainwindow/EndMessage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/DialogFrame.h"
#include "platform/Fonts.h"

namespace kanoby {

using namespace Qt::StringLiterals;

EndMessage::EndMessage(QWidget* owner) : QDialog(owner, kDialogFrame) {
    setObjectName(u"EndMessage"_s);
    setWindowTitle(u"Kanoby"_s);
    setFixedSize(TwipsToPixels(2325), TwipsToPixels(1320));
    setAttribute(Qt::WA_InputMethodEnabled, false);

    okButton = new QPushButton(u"OK"_s, this);
    okButton->setObjectName(u"okButton"_s);
    okButton->setGeometry(TwipsRect(720, 840, 855, 375));
    // Not the default button: Enter means nothing to the dialog itself, and a
    // focused OK answers Enter and space. Escape closes the dialog.
    okButton->setAutoDefault(false);
    okButton->setDefault(false);
    connect(okButton, &QPushButton::clicked, this, &EndMessage::Close);

    messageLabel = new QLabel(u"終了！"_s, this);
    messageLabel->setObjectName(u"messageLabel"_s);
    messageLabel->setGeometry(TwipsRect(240, 240, 1815, 375));
    messageLabel->setFont(JapaneseFont(11.25));
    messageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    okButton->setFocus(Qt::OtherFocusReason);
}

void EndMessage::Close() {
    close();
}

void EndMessage::closeEvent(QCloseEvent* event) {
    hide();
    event->accept();
}

void EndMessage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A held Enter (the one that ended the run, say) must not also
            // dismiss the dialog the moment it opens.
            if (!event->isAutoRepeat() && focusWidget() == okButton) {
                okButton->click();
            }
            event->accept();
            return;
        case Qt::Key_Escape:
            close();
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace kanoby
