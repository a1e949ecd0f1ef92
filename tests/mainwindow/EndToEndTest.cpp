// The real program under a real X server (xvfb-run), driven by real X key and
// mouse events (xdotool, keys by X keycode): a run typed through in romaji and
// kana to the "終了！" dialog, the romaji settings saved from the menu opened
// by its access keys, and the program closed from its menu; under wine too.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

namespace {

using namespace Qt::StringLiterals;

// Runs xdotool with `arguments` (split at spaces, %1 being `window`); true
// when it succeeded. What it printed goes to `output`.
bool Xdotool(const QString& arguments, const QString& window = {}, QString* output = nullptr) {
    QProcess process;
    process.start(u"xdotool"_s, arguments.arg(window).split(u' '));
    const bool done = process.waitForFinished(15000);
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return done && process.exitCode() == 0;
}

// Visible windows whose caption matches `caption`.
QStringList Windows(const QString& caption = u"^Kanoby$"_s) {
    QString found;
    Xdotool(u"search --onlyvisible --name %1"_s, caption, &found);
    return found.split(u'\n', Qt::SkipEmptyParts);
}

bool WaitUntil(const std::function<bool()>& done) {
    for (int tries = 0; tries < 600 && !done(); ++tries)
        QThread::msleep(100);
    return done();
}

// No window manager runs under xvfb-run: the window captioned `caption`
// (other than `main`) is given the keyboard once it is there, then `keys`.
void Type(const QString& keys, const QString& main, const QString& caption = u"^Kanoby$"_s) {
    QString window;
    ASSERT_TRUE(WaitUntil([&] {
        window = Windows(caption).filter(QRegularExpression(u"^(?!"_s + main + u"$)"_s)).value(0);
        return !window.isEmpty();
    })) << "no window " << caption.toStdString() << " came";
    ASSERT_TRUE(Xdotool(u"windowfocus --sync %1 "_s + keys, window));
}

TEST(EndToEnd, TypesARunToTheEndAndSavesTheSettings) {
    // UTF-8, as a modern editor saves it: ゔ has no code page 932 form.
    const QByteArray words = u"ヴァ！\r\nゔぁ！\r\n豚\r\nぶた\r\n"_s.toUtf8();
    // The program built here in a folder of its own, or the kanoby.exe of an
    // unpacked Windows zip that KANOBY_PROGRAM names, run by wine where it is.
    const QString given = qEnvironmentVariable("KANOBY_PROGRAM");
    QTemporaryDir made;
    const QDir dir(given.isEmpty() ? made.path() : QFileInfo(given).path());
    const QString program = given.isEmpty() ? dir.filePath(u"kanoby"_s) : given;
    QFile file(dir.filePath(u"word.txt"_s));
    ASSERT_TRUE((!given.isEmpty() || QFile::copy(QStringLiteral(KANOBY_PROGRAM), program)) &&
                file.open(QIODevice::WriteOnly) && file.write(words) == words.size() &&
                file.flush());
    QProcess kanoby;
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    program.endsWith(u".exe"_s) ? kanoby.start(u"wine"_s, {program}) : kanoby.start(program, {});
    const auto only = [](const QString& main) { return Windows(u"Kanoby"_s) == QStringList{main}; };

    // Enter starts the run; ゔぁ！ is typed v a Shift+1. Kana input, chosen
    // with the mouse on Option2, and ぶた as ﾌ ﾞ ﾀ. The end dialog's OK has
    // the focus: the space bar closes it.
    Type(u"key --delay 40 36 55 38 keydown 50 key 10 keyup 50"_s, {});
    const QString main = Windows().value(0);
    ASSERT_TRUE(Xdotool(u"mousemove --window %1 392 72 click 1 key --delay 40 11 34 24"_s, main));
    Type(u"key 65"_s, main);
    ASSERT_TRUE(WaitUntil([&] { return only(main); }));

    // 設定(&S) → ﾛｰﾏ字表示(&R); OK has the focus; Enter closes the confirmation.
    Type(u"keydown 64 key 39 keyup 64 key 27"_s, {});
    Type(u"key 65"_s, main, u"^Kanoby　ローマ字表示設定$"_s);
    Type(u"key 36"_s, main);
    ASSERT_TRUE(WaitUntil([&] { return only(main); }));

    // ファイル(&F) → 終了(&X): the program ends normally.
    Type(u"keydown 64 key 41 keyup 64 key 53"_s, {});
    ASSERT_TRUE(kanoby.waitForFinished(60000));
    EXPECT_EQ(kanoby.exitCode(), 0);
    QFile ini(dir.filePath(u"Roman.ini"_s));
    EXPECT_TRUE(ini.open(QIODevice::ReadOnly) && ini.readAll().count("\r\n") == 48);
}

}  // namespace
