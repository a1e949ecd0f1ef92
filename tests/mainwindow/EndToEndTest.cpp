// The real program under Xvfb, driven by real X key and mouse events (keys by X keycode):
// copied into a folder, installed, and as a Wayland client of weston; runs typed to the "終了！"
// dialog, Enter held down, the romaji settings saved and the program closed from its menus.
// The first run drives the Windows program under wine too.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

namespace {

using namespace Qt::StringLiterals;

// xdotool `arguments` (split at spaces, %1 being `window`): true on success, its output in
// `output`.
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

// Copies the program into `dir` (unless `copy` is false) beside a word.txt of `words`.
bool Place(const QDir& dir, const QByteArray& words, bool copy = true) {
    QFile file(dir.filePath(u"word.txt"_s));
    return (!copy || QFile::copy(QStringLiteral(KANOBY_PROGRAM), dir.filePath(u"kanoby"_s))) &&
           file.open(QIODevice::WriteOnly) && file.write(words) == words.size();
}

bool WaitUntil(const std::function<bool()>& done) {
    for (int tries = 0; tries < 600 && !done(); ++tries)
        QThread::msleep(100);
    return done();
}

// No window manager runs on the test's X server: the window captioned `caption`
// (other than `main`) is given the keyboard once it is there, then `keys`.
void Type(const QString& keys, const QString& main, const QString& caption = u"^Kanoby$"_s) {
    QString window;
    ASSERT_TRUE(WaitUntil([&] {
        window = Windows(caption).filter(QRegularExpression(u"^(?!"_s + main + u"$)"_s)).value(0);
        return !window.isEmpty();
    })) << "no window "
        << caption.toStdString() << " came";
    ASSERT_TRUE(Xdotool(u"windowfocus --sync %1 "_s + keys, window));
}

// ファイル(&F) → 終了(&X) once `main` is the only window: the program ends normally.
void Quit(QProcess& kanoby, const QString& main) {
    ASSERT_TRUE(WaitUntil([&] { return Windows(u"Kanoby"_s) == QStringList{main}; }));
    Type(u"keydown 64 key 41 keyup 64 key 53"_s, {});
    ASSERT_TRUE(kanoby.waitForFinished(60000));
    EXPECT_EQ(kanoby.exitCode(), 0);
}

// 設定(&S) → ﾛｰﾏ字表示(&R); OK has the focus; Enter closes the confirmation. Then the
// program quits, its settings in `ini`.
void SaveSettingsAndQuit(QProcess& kanoby, const QString& main, const QString& ini) {
    ASSERT_TRUE(WaitUntil([&] { return Windows(u"Kanoby"_s) == QStringList{main}; }));
    Type(u"keydown 64 key 39 keyup 64 key 27"_s, {});
    Type(u"key 65"_s, main, u"^Kanoby."_s);  // the romaji settings, in either language
    Type(u"key 36"_s, main);
    Quit(kanoby, main);
    QFile file(ini);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll().count("\r\n") == 48);
}

TEST(EndToEnd, TypesARunToTheEndAndSavesTheSettings) {
    // The X server may still be starting.
    ASSERT_TRUE(WaitUntil([] { return Xdotool(u"getdisplaygeometry"_s); }));
    // In a folder Qt cannot name (not UTF-8), reached through the system's handle on it;
    // or where it is, the kanoby.exe of an unpacked Windows zip that KANOBY_PROGRAM names.
    const QString windows = qEnvironmentVariable("KANOBY_PROGRAM");
    const QTemporaryDir temporary;
    const QByteArray folder = QFile::encodeName(temporary.path()) + "/\xFF";
    QDir dir(u"/proc/self/fd/%1"_s.arg(
        mkdir(folder.constData(), 0700) == 0 ? open(folder.constData(), O_PATH) : -1));
    if (!windows.isEmpty())
        dir.setPath(QFileInfo(windows).path());
    // UTF-8, as a modern editor saves it: ゔ has no code page 932 form.
    ASSERT_TRUE(Place(dir, u"ヴァ！\r\nゔぁ！\r\n豚\r\nぶた\r\n"_s.toUtf8(), windows.isEmpty()));
    QProcess kanoby;
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    windows.isEmpty() ? kanoby.start(dir.filePath(u"kanoby"_s), {})
                      : kanoby.start(u"wine"_s, {windows});

    // Held Enter starts the run once; ゔぁ！ typed v a Shift+1 (US places). Kana input by a
    // click on kanaOption, ぶた as ﾌ ﾞ ﾀ by the keys' places; the space bar closes the end
    // dialog (OK has the focus). Held Enter stops a run once: its repeats leave the end
    // dialog open.
    Type(u"sleep 1 keydown 36 sleep 1.5 keyup 36 key --delay 40 55 38 keydown 50 key 10 keyup 50"_s,
         {});
    const QString main = Windows().value(0);
    ASSERT_TRUE(Xdotool(u"mousemove --window %1 392 72 click 1 key --delay 40 11 34 24"_s, main));
    Type(u"key 65"_s, main);
    Type(u"key 36 sleep 0.5 keydown 36 sleep 1.5 keyup 36"_s, {});
    ASSERT_TRUE(WaitUntil([] { return Windows(u"Kanoby"_s).size() == 2; }));
    Type(u"key 65"_s, main);
    SaveSettingsAndQuit(kanoby, main, dir.filePath(u"Roman.ini"_s));
    rename(folder.constData(), QFile::encodeName(temporary.filePath(u"removable"_s)).constData());
}

// Installed with DESTDIR, run with an empty home. A message at start-up would
// take the Enter that starts the run, and no end dialog would follow.
TEST(EndToEnd, AnInstalledProgramKeepsTheUsersFilesInTheirHome) {
    ASSERT_TRUE(WaitUntil([] { return Xdotool(u"getdisplaygeometry"_s); }));
    const QTemporaryDir stage, home;
    const QStringList install{u"DESTDIR="_s + stage.path(), QStringLiteral(KANOBY_CMAKE),
                              u"--install"_s, QStringLiteral(KANOBY_BUILD_DIR), u"--prefix=/usr"_s};
    ASSERT_EQ(QProcess::execute(u"env"_s, install), 0);
    QProcess kanoby;
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    const QStringList installed{u"-u"_s,
                                u"XDG_DATA_HOME"_s,
                                u"-u"_s,
                                u"XDG_CONFIG_HOME"_s,
                                u"HOME="_s + home.path(),
                                u"XDG_DATA_DIRS="_s + stage.filePath(u"usr/share"_s),
                                stage.filePath(u"usr/bin/kanoby"_s)};
    kanoby.start(u"env"_s, installed);

    // 日本 is typed x n i h o n n, x being wrong; Enter stops the run at がっこう.
    Type(u"key --delay 40 36 53 57 31 43 32 57 57"_s, {});
    const QString main = Windows().value(0);
    ASSERT_TRUE(Xdotool(u"windowfocus --sync %1 key 36"_s, main));
    Type(u"key 65"_s, main);
    SaveSettingsAndQuit(kanoby, main, home.filePath(u".config/kanoby/Roman.ini"_s));
    EXPECT_EQ(QProcess::execute(u"cmp"_s, {home.filePath(u".local/share/kanoby/word.txt"_s),
                                           stage.filePath(u"usr/share/kanoby/word.txt"_s)}),
              0);
    EXPECT_EQ(QDir(stage.filePath(u"usr/bin"_s))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"kanoby"_s});
    // The run is in the record that `kanoby --export-history` writes.
    const QString csv = home.filePath(u"out.csv"_s);
    QProcess exporter;
    exporter.start(u"env"_s, installed + QStringList{u"--export-history"_s, csv});
    ASSERT_TRUE(exporter.waitForFinished(60000));
    EXPECT_EQ(exporter.exitCode(), 0) << exporter.readAllStandardError().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith("\xEF\xBB\xBFstarted,list,mode,questions,kana,keys,misses,"));
    const QList<QByteArray> fields = rows[1].trimmed().split(',');
    ASSERT_EQ(fields.size(), 11);
    EXPECT_EQ(fields.mid(1, 6), (QList<QByteArray>{"word.txt", "romaji", "1", "3", "6", "1"}));
    EXPECT_EQ(fields[10], "85.7");
}

// The first run again as a Wayland client of weston's kiosk shell on the X
// server. Keys go to weston's window; the program's windows cannot be seen from
// here, so each step waits and first clicks the middle (the end dialog if up,
// else the main window): the kiosk shell gives neither the keyboard for sure.
TEST(EndToEnd, RunsAsAWaylandClient) {
    const QTemporaryDir dir;
    ASSERT_TRUE(Place(QDir(dir.path()), "Q\nゔぁ!\nQ\nゔぁ!"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Mesa unloads the driver that holds what it keeps: the slow unwinder lets
    // the suppressions see its frames.
    for (const auto& [name, value] : {std::pair{u"XDG_RUNTIME_DIR"_s, dir.path()},
                                      {u"WAYLAND_DISPLAY"_s, u"wayland-kanoby"_s},
                                      {u"QT_QPA_PLATFORM"_s, u"wayland"_s},
                                      {u"LSAN_OPTIONS"_s, environment.value(u"LSAN_OPTIONS"_s) +
                                                              u":fast_unwind_on_malloc=0"_s}})
        environment.insert(name, value);
    QProcess weston, kanoby;
    weston.setProcessEnvironment(environment);
    weston.start(u"weston"_s,
                 u"--backend=x11-backend.so --shell=kiosk-shell.so --use-pixman "
                 "--socket=wayland-kanoby --idle-time=0 --width=800 --height=500"_s.split(u' '));
    QString compositor;
    ASSERT_TRUE(
        WaitUntil([&] { return Xdotool(u"search --classname %1"_s, u"weston"_s, &compositor); }));
    kanoby.setProcessEnvironment(environment);
    kanoby.start(dir.filePath(u"kanoby"_s), {});
    const auto send = [&](const QString& keys) {
        QThread::msleep(1500);
        ASSERT_TRUE(Xdotool(
            u"windowfocus --sync %1 mousemove --window %1 400 250 click 1 "_s + keys, compositor));
    };
    // Held Enter starts the run once; ゔぁ! in romaji (v a Shift+1, US places), then in kana:
    // Tab past progressPicture and startButton to romajiOption, Down to kanaOption, ｳ ﾞ ｧ
    // Shift+1. With the end dialog up the menu's keys do nothing; closed, it leaves the program
    // idle (the main window, not made active again, is ended from here).
    send(
        u"sleep 1 keydown 36 sleep 1.5 keyup 36 key --delay 40 55 38 keydown 50 key 10 keyup "
        u"50 "
        "key Tab Tab Tab Down 13 34 keydown 50 key 12 keyup 50 keydown 50 key 10 keyup 50 "
        "sleep 1 keydown 64 key 41 keyup 64 sleep 0.5 key 53"_s);
    ASSERT_FALSE(kanoby.waitForFinished(1000));
    send(u"key 65"_s);
    ASSERT_FALSE(kanoby.waitForFinished(1000));
    kanoby.terminate();
    kanoby.waitForFinished();
    weston.terminate();
    weston.waitForFinished();
}

}  // namespace
