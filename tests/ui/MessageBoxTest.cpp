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

TEST(MessageBoxTest, ShowsTheTextWithTheProgramTitleAndOnlyAnOkButton) {
    QMessageBox* seen = nullptr;
    QString title;
    QStringList buttons;
    // The box is modal: look at it and press OK from inside its event loop.
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (seen == nullptr)
            return;
        title = seen->windowTitle();
        EXPECT_EQ(seen->text(), u"問題文ファイルが存在しません。"_qs);
        EXPECT_EQ(seen->icon(), QMessageBox::NoIcon);
        for (const QAbstractButton* button : seen->buttons())
            buttons.append(button->text().remove(u'&'));
        seen->button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes().Show(nullptr, u"問題文ファイルが存在しません。"_qs);
    ASSERT_NE(seen, nullptr) << "no modal message box was shown";
    EXPECT_EQ(title, u"Kanoby"_qs);
    EXPECT_EQ(buttons, QStringList{u"OK"_qs});
}

TEST(ProgramDirTest, IsTheDirectoryOfTheRunningProgram) {
    EXPECT_EQ(QDir(ProgramDirectory()).canonicalPath(),
              QDir(QStringLiteral(KANOBY_UI_TEST_BINARY_DIR)).canonicalPath());
}

}  // namespace
}  // namespace kanoby
