#include "platform/MessageBox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "platform/DialogFrame.h"

namespace kanoby {

using namespace Qt::StringLiterals;

void QtMessageBoxes::Show(QWidget* parent, const QString& text) {
    const QString title = u"Kanoby"_s;
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent, kDialogFrame);
    // The box is only as wide as its text, and a short one leaves the window
    // manager too little room beside its buttons to show the title whole:
    // keep room for the title, in bold, and for the icon and a few buttons
    // beside it on the title bar.
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int titleBarWidth = metrics.horizontalAdvance(title) + 8 * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(titleBarWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace kanoby
