// The real program under a real X server (xvfb-run), driven by real X key and
// mouse events (xdotool, by keycode): a run typed through in romaji and kana
// to the "終了！" dialog, the romaji settings saved from the menu opened by
// its access keys, and the program closed from its menu.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

namespace {

using namespace Qt::StringLiterals;

QString gProgram;  // the built kanoby, from the command line

// X keycodes (evdev + 8).
constexpr int kReturn = 36, kSpace = 65, kShift = 50, kAlt = 64;

bool Xdotool(const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(u"xdotool"_s, arguments);
    const bool done = process.waitForFinished(15000);
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Each keycode pressed and released; Down(N) holds N down until -N.
void Press(const QList<int>& keys) {
    for (const int key : keys) {
        const QString verb = key > 1000 ? u"keydown"_s : key < 0 ? u"keyup"_s : u"key"_s;
        ASSERT_TRUE(Xdotool({verb, QString::number(std::abs(key) % 1000)}));
        QThread::msleep(30);
    }
}
constexpr int Down(int key) {
    return 1000 + key;
}

// Visible "Kanoby" windows: the main window, the end dialog, message boxes.
QStringList Windows(const QString& caption = u"^Kanoby$"_s) {
    QString found;
    Xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, caption}, &found);
    return found.split(u'\n', Qt::SkipEmptyParts);
}

bool WaitUntil(const std::function<bool()>& done) {
    for (int tries = 0; tries < 600 && !done(); ++tries)
        QThread::msleep(100);
    return done();
}

// No window manager runs under xvfb-run: each window is given the keyboard.
void Focus(const QString& window) {
    ASSERT_TRUE(Xdotool({u"windowfocus"_s, u"--sync"_s, window}));
}

// Gives the keyboard to the window captioned `caption`, other than `main`,
// once it is there, and presses `key`.
void Answer(const QString& main, int key, const QString& caption = u"^Kanoby$"_s) {
    QString other;
    ASSERT_TRUE(WaitUntil([&] {
        for (const QString& shown : Windows(caption))
            other = shown != main ? shown : other;
        return !other.isEmpty();
    })) << "no window "
        << caption.toStdString() << " came";
    Focus(other);
    Press({key});
}

TEST(EndToEnd, TypesARunToTheEndAndSavesTheSettings) {
    // UTF-8, as a modern editor saves it: ゔ has no code page 932 form.
    const QByteArray words = u"ヴァ！\r\nゔぁ！\r\n豚\r\nぶた\r\n"_s.toUtf8();
    QTemporaryDir dir;
    const QString program = dir.filePath(u"kanoby"_s);
    QFile file(dir.filePath(u"word.txt"_s));
    ASSERT_TRUE(QFile::copy(gProgram, program) && file.open(QIODevice::WriteOnly) &&
                file.write(words) == words.size());
    file.close();
    QProcess kanoby;
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    kanoby.start(program, {});
    QString main;
    ASSERT_TRUE(WaitUntil([&] { return !(main = Windows().value(0)).isEmpty(); }));
    Focus(main);

    // Enter starts the run; ゔぁ！ is typed v a Shift+1; then kana input,
    // chosen with the mouse on Option2, and ぶた as ﾌ ﾞ ﾀ.
    Press({kReturn, 55, 38, Down(kShift), 10, -kShift});
    ASSERT_TRUE(
        Xdotool({u"mousemove"_s, u"--window"_s, main, u"392"_s, u"72"_s, u"click"_s, u"1"_s}));
    Press({11, 34, 24});
    Answer(main, kSpace);  // the end dialog, whose OK has the focus
    const auto onlyMain = [&] {
        return Windows() == QStringList{main} && Windows(u"ローマ字表示設定"_s).isEmpty();
    };
    ASSERT_TRUE(WaitUntil(onlyMain));

    // 設定(&S) → ﾛｰﾏ字表示(&R), OK (it has the focus), the confirmation's OK.
    Focus(main);
    Press({Down(kAlt), 39, -kAlt, 27});
    Answer(main, kSpace, u"^Kanoby　ローマ字表示設定$"_s);
    Answer(main, kReturn);
    ASSERT_TRUE(WaitUntil(onlyMain));

    // ファイル(&F) → 終了(&X): the program ends normally.
    Focus(main);
    Press({Down(kAlt), 41, -kAlt, 53});
    ASSERT_TRUE(kanoby.waitForFinished(60000));
    EXPECT_EQ(kanoby.exitCode(), 0);
    QFile ini(dir.filePath(u"Roman.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray saved = ini.readAll();
    EXPECT_EQ(saved.count("\r\n"), 48);
    EXPECT_TRUE(saved.startsWith("\"\x82\xA9\",\"ka\"\r\n\"\x82\xAD\",\"ku\"\r\n"));
}

}  // namespace

// The path of the built kanoby is the argument after the test's own flags.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    gProgram = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    return RUN_ALL_TESTS();
}
