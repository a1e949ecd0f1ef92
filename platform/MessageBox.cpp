#include "platform/MessageBox.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "platform/DialogFrame.h"

namespace kanoby {

using namespace Qt::StringLiterals;

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text) {
    const QString title = u"Kanoby"_s;
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, QString(), QMessageBox::Ok,
                                             parent, kDialogFrame);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    // The box is only as wide as its text, and a short one leaves the window
    // manager too little room beside its buttons to show the title whole:
    // keep room for the title, in bold, and for the icon and a few buttons
    // beside it on the title bar.
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int titleBarWidth = metrics.horizontalAdvance(title) + 8 * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(titleBarWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

void QtMessageBoxes::Show(QWidget* parent, const QString& text) {
    MakeMessageBox(parent, text)->exec();
}

void QtMessageBoxes::ShowFolder(QWidget* parent, const QString& text, const QString& folder) {
    const auto box = MakeMessageBox(parent, text + u'\n' + folder);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* copy =
        box->addButton(QCoreApplication::translate("kanoby::MessageBoxes", "パスをコピー(&C)"),
                       QMessageBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked,
                     [folder] { QGuiApplication::clipboard()->setText(folder); });
    box->setDefaultButton(QMessageBox::Ok);
    box->exec();
}

}  // namespace kanoby
