// The real program under a real X server: the romaji settings dialog opened
// from the keyboard with the menu's access keys, saved with OK, the
// confirmation dismissed and the program closed; Roman.ini then holds the 48
// records of the initial table.
#include <QFile>

#include "EndToEndSupport.h"

namespace kanoby::e2e {
namespace {

// X keycodes of letters (evdev + 8).
constexpr int kKeyF = 41;
constexpr int kKeyR = 27;
constexpr int kKeyS = 39;
constexpr int kKeyX = 53;

const QString kSettingsCaption = QStringLiteral("^Kanoby　ローマ字表示設定$");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SettingsEndToEnd, SavesFromTheMenuOpenedWithAccessKeys) {
    RunningProgram kanoby(QStringLiteral("犬\r\nいぬ\r\n"));
    if (::testing::Test::HasFatalFailure())
        return;
    const QString iniPath = kanoby.FilePath(QStringLiteral("Roman.ini"));
    const QString mainWindow = kanoby.WaitForMainWindow();
    ASSERT_FALSE(mainWindow.isEmpty()) << "the main window did not appear";
    ASSERT_TRUE(Focus(mainWindow));

    // 設定(&S) → ﾛｰﾏ字表示(&R).
    PressWithAlt(kKeyS);
    PressKeys({kKeyR});
    QString settings;
    ASSERT_TRUE(WaitUntil([&] {
        const QStringList windows = VisibleWindows(kSettingsCaption);
        settings = windows.size() == 1 ? windows[0] : QString();
        return !settings.isEmpty();
    })) << "the settings dialog did not appear";
    EXPECT_EQ(WindowSize(settings), QSize(477, 403));
    EXPECT_FALSE(QFile::exists(iniPath));

    // OK holds the focus: the space bar presses it.
    ASSERT_TRUE(Focus(settings));
    PressKeys({kSpace});
    QString confirmation;
    ASSERT_TRUE(WaitUntil([&] {
        for (const QString& window : VisibleWindows()) {
            if (window != mainWindow)
                confirmation = window;
        }
        return !confirmation.isEmpty();
    })) << "the confirmation did not appear";
    EXPECT_TRUE(QFile::exists(iniPath));

    // The message box's OK is its default button.
    ASSERT_TRUE(Focus(confirmation));
    PressKeys({kReturn});
    ASSERT_TRUE(WaitUntil([&] {
        return VisibleWindows() == QStringList{mainWindow} &&
               VisibleWindows(kSettingsCaption).isEmpty();
    })) << "the confirmation or the dialog did not close";

    // ファイル(&F) → 終了(&X).
    ASSERT_TRUE(Focus(mainWindow));
    PressWithAlt(kKeyF);
    PressKeys({kKeyX});
    ASSERT_TRUE(kanoby.Process().waitForFinished(60000)) << "the program did not close";
    EXPECT_EQ(kanoby.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kanoby.Process().exitCode(), 0);

    const QByteArray expected =
        ReadFile(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
    ASSERT_EQ(expected.size(), 594);
    EXPECT_EQ(ReadFile(iniPath).toHex(' '), expected.toHex(' '));
}

}  // namespace
}  // namespace kanoby::e2e
