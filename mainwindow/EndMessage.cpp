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

    OKButton = new QPushButton(u"OK"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setGeometry(TwipsRect(720, 840, 855, 375));
    // Not the default button: Enter means nothing to the dialog itself, and a
    // focused OK answers Enter and space. Escape closes the dialog.
    OKButton->setAutoDefault(false);
    OKButton->setDefault(false);
    connect(OKButton, &QPushButton::clicked, this, &EndMessage::OKButton_Click);

    Label1 = new QLabel(u"終了！"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(TwipsRect(240, 240, 1815, 375));
    Label1->setFont(JapaneseFont(11.25));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    OKButton->setFocus(Qt::OtherFocusReason);
}

void EndMessage::OKButton_Click() {
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
            if (!event->isAutoRepeat() && focusWidget() == OKButton) {
                OKButton->click();
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
