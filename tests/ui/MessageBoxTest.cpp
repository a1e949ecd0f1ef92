#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/MessageBox.h"
#include "ui/ProgramDir.h"

namespace kanoby {
namespace {

struct SeenBox {
    bool found = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QList<QAbstractButton*> buttons;
    QString buttonText;
};

TEST(MessageBoxTest, ShowsTheTextWithTheProgramTitleAndOnlyAnOkButton) {
    SeenBox seen;
    // The box is modal: look at it and press OK from inside its event loop.
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons();
        if (seen.buttons.size() == 1)
            seen.buttonText = seen.buttons.front()->text();
        box->button(QMessageBox::Ok)->click();
    });
    const QString text = QStringLiteral("問題文ファイルが存在しません。処理続行不能！！");
    QtMessageBoxes().Show(nullptr, text);

    ASSERT_TRUE(seen.found) << "no modal message box was shown";
    EXPECT_EQ(seen.title, QStringLiteral("Kanoby"));
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons.size(), 1);
    EXPECT_EQ(seen.buttonText.remove(u'&'), QStringLiteral("OK"));
}

TEST(ProgramDirTest, IsTheDirectoryOfTheRunningProgram) {
    EXPECT_EQ(QDir(ProgramDirectory()).canonicalPath(),
              QDir(QStringLiteral(KANOBY_UI_TEST_BINARY_DIR)).canonicalPath());
}

}  // namespace
}  // namespace kanoby
