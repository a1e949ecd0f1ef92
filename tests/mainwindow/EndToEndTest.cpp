// The real program driven by real X key events (xdotool, keys by X keycode),
// on the X server of xvfb-run and as a Wayland client of weston running on
// it: a run typed through in romaji and kana to the "終了！" dialog, Enter
// held down, the romaji settings saved from the menu opened by its access
// keys, and the program closed from its menu.
#include <gtest/gtest.h>

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
    for (int tries = 0; tries < 200 && !done(); ++tries)
        QThread::msleep(100);
    return done();
}

// Run on X (false) or as a Wayland client of weston running on X (true).
class EndToEnd : public ::testing::TestWithParam<bool> {
  protected:
    // No window manager runs under xvfb-run: the main window, or with
    // `dialog` the first other window so captioned, is given the keyboard
    // once it is there, then `keys`. Weston's windows cannot be seen from
    // here: its own takes the keys a moment later, for whichever of them has
    // the keyboard; a click in the middle, on the main window, gives it back
    // the keyboard, which weston's kiosk shell does not when a dialog closes.
    void Type(const QString& keys, const QString& dialog = {}) {
        QString window = weston_, click = GetParam() && dialog.isEmpty()
                                              ? u"mousemove --window %1 400 250 click 1 "_s
                                              : u""_s;
        if (GetParam())
            QThread::msleep(1500);
        else
            ASSERT_TRUE(WaitUntil([&] {
                const QStringList found = Windows(dialog.isEmpty() ? u"^Kanoby$"_s : dialog);
                main_ = main_.isEmpty() ? found.value(0) : main_;
                window =
                    dialog.isEmpty()
                        ? main_
                        : found.filter(QRegularExpression(u"^(?!"_s + main_ + u"$)"_s)).value(0);
                return !window.isEmpty();
            })) << "no window "
                << dialog.toStdString() << " came";
        ASSERT_TRUE(Xdotool(u"windowfocus --sync %1 "_s + click + keys, window));
    }
    // Under X: the program shows `count` windows.
    bool Shown(const int count) {
        return GetParam() || WaitUntil([&] { return Windows(u"Kanoby"_s).size() == count; });
    }

    QString main_, weston_;
};

TEST_P(EndToEnd, TypesARunToTheEndAndSavesTheSettings) {
    // UTF-8, as a modern editor saves it: ゔ has no code page 932 form.
    const QByteArray words = u"ヴァ！\r\nゔぁ！\r\n豚\r\nぶた\r\n"_s.toUtf8();
    QTemporaryDir dir;
    QFile file(dir.filePath(u"word.txt"_s));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KANOBY_PROGRAM), dir.filePath(u"kanoby"_s)) &&
                file.open(QIODevice::WriteOnly) && file.write(words) == words.size() &&
                file.flush());
    QProcess weston, kanoby;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (GetParam()) {
        environment.insert(u"XDG_RUNTIME_DIR"_s, dir.path());
        environment.insert(u"WAYLAND_DISPLAY"_s, u"wayland-kanoby"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        // Mesa unloads the driver that holds what it keeps: without the slow
        // unwinder, the suppressions see none of its frames.
        environment.insert(u"LSAN_OPTIONS"_s,
                           environment.value(u"LSAN_OPTIONS"_s) + u":fast_unwind_on_malloc=0"_s);
        weston.setProcessEnvironment(environment);
        weston.start(
            u"weston"_s,
            u"--backend=x11-backend.so --shell=kiosk-shell.so --socket=wayland-kanoby --use-pixman --idle-time=0 --width=800 --height=500"_s
                .split(u' '));
        ASSERT_TRUE(WaitUntil([&] {
            return Xdotool(u"search --classname %1"_s, u"weston"_s, &weston_) && !weston_.isEmpty();
        }));
    }
    kanoby.setProcessChannelMode(QProcess::ForwardedChannels);
    kanoby.setProcessEnvironment(environment);
    kanoby.start(dir.filePath(u"kanoby"_s), {});
    const QString menuEnd = u"keydown 64 key 41 keyup 64 sleep 0.5 key 53"_s;
    // The end dialog is up: the menu's keys do nothing; its OK has the focus
    // and the space bar closes it.
    const auto endDialog = [&] {
        Type(menuEnd, u"^Kanoby$"_s);
        ASSERT_FALSE(kanoby.waitForFinished(1000));
        Type(u"key 65"_s, u"^Kanoby$"_s);
        ASSERT_TRUE(Shown(1));
    };

    // Enter, held down, starts the run once; ゔぁ！ is typed v a Shift+1 as
    // the US layout has it. Kana input: Tab to Option1 (past Picture1 and
    // Command1), Down selects Option2; ぶた is typed by the JIS keys' places
    // as ﾌ ﾞ ﾀ.
    Type(
        u"sleep 1 keydown 36 sleep 1.5 keyup 36 key --delay 40 55 38 keydown 50 key 10 keyup 50 key Tab Tab Tab Down 11 34 24"_s);
    endDialog();
    // Enter held down in a run stops it once: its repeats leave the end dialog open.
    Type(u"key 36 sleep 0.5 keydown 36 sleep 1.5 keyup 36"_s);
    EXPECT_TRUE(Shown(2));
    endDialog();

    // 設定(&S) → ﾛｰﾏ字表示(&R); OK has the focus; Enter closes the confirmation.
    Type(u"keydown 64 key 39 keyup 64 sleep 0.5 key 27"_s);
    Type(u"key 65"_s, u"^Kanoby　ローマ字表示設定$"_s);
    Type(u"key 36"_s, u"^Kanoby$"_s);
    ASSERT_TRUE(Shown(1));

    // ファイル(&F) → 終了(&X): the program ends normally.
    Type(menuEnd);
    ASSERT_TRUE(kanoby.waitForFinished(60000));
    EXPECT_EQ(kanoby.exitCode(), 0);
    QFile ini(dir.filePath(u"Roman.ini"_s));
    EXPECT_TRUE(ini.open(QIODevice::ReadOnly) && ini.readAll().count("\r\n") == 48);
    weston.terminate();
    weston.waitForFinished();
}

INSTANTIATE_TEST_SUITE_P(XAndWayland, EndToEnd, ::testing::Bool());

}  // namespace
