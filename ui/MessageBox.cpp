#include "ui/MessageBox.h"

#include <QMessageBox>

namespace kanoby {

void QtMessageBoxes::Show(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kanoby"), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace kanoby
