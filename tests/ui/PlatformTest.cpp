// The platform layer: message boxes, the program directory, twips and the
// Japanese font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cerrno>

#include "ui/FileError.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/ProgramDir.h"

namespace kanoby {

using namespace Qt::StringLiterals;
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
        EXPECT_EQ(seen->text(), u"問題文ファイルが存在しません。"_s);
        EXPECT_EQ(seen->icon(), QMessageBox::NoIcon);
        for (const QAbstractButton* button : seen->buttons())
            buttons.append(button->text().remove(u'&'));
        seen->button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes().Show(nullptr, u"問題文ファイルが存在しません。"_s);
    ASSERT_NE(seen, nullptr) << "no modal message box was shown";
    EXPECT_EQ(title, u"Kanoby"_s);
    EXPECT_EQ(buttons, QStringList{u"OK"_s});
}

// The causes root cannot bring about, and one left to the system's words.
TEST(FileErrorReasonTest, CommonCausesInJapaneseOthersInTheSystemsWords) {
    for (const auto& [errorNumber, reason] :
         {std::pair{EACCES, u"アクセスが許可されていません。"_s},
          {ENOSPC, u"ディスクの空き容量が足りません。"_s},
          {EROFS, u"読み取り専用のファイルシステムです。"_s},
          {ELOOP, u"system text"_s}}) {
        EXPECT_EQ(FileErrorReason(errorNumber, u"system text"_s), reason) << errorNumber;
    }
}

TEST(ProgramDirTest, IsTheDirectoryOfTheRunningProgram) {
    EXPECT_EQ(QDir(ProgramDirectory()).canonicalPath(),
              QDir(QStringLiteral(KANOBY_UI_TEST_BINARY_DIR)).canonicalPath());
}

// clang-format off
TEST(TwipsTest, FifteenTwipsMakeOnePixelRoundedToTheNearest) {
    for (const auto& [twips, pixels] : {std::pair{7275, 485}, {100, 7}, {111, 7}, {7, 0}, {8, 1}}) {
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips << " twips";
    }
    EXPECT_EQ(TwipsRect(240, 1080, 6615, 1215), QRect(16, 72, 441, 81));
}

TEST(TwipsTest, WidthsBecomeWholeTwipsWithHalvesToEven) {
    // Halves of a twip are exact in binary at odd multiples of half a pixel.
    for (const auto& [pixels, twips] : {std::pair{0.5, 8LL}, {1.5, 22LL}, {2.5, 38LL}, {3.5, 52LL},
                                        {0.4, 6LL}, {200000000.0, 3000000000LL}}) {
        EXPECT_EQ(PixelsToWholeTwips(pixels), twips) << pixels << " pixels";
    }
}
// clang-format on

// The first family is the one the layouts were drawn with.
TEST(JapaneseFontTest, ResolvesToAnInstalledFamilyOfTheListThatShowsKana) {
    const QFont font = JapaneseFont(8.25, true);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(JapaneseFontFamilies().value(0), u"ＭＳ Ｐゴシック"_s);
    const QFontInfo info(font);
    EXPECT_TRUE(JapaneseFontFamilies().contains(info.family()))
        << "resolved to " << info.family().toStdString()
        << "; scripts/install-deps installs fonts-ipafont-gothic";
    const QFontMetrics metrics(font);
    EXPECT_TRUE(metrics.inFont(QChar(u'あ')));
    EXPECT_TRUE(metrics.inFont(QChar(u'ｶ')));
}

}  // namespace
}  // namespace kanoby
