// The run controller driven through the window: start-up, starting, stopping,
// every keystroke's road, the end and closing.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "tests/files/QuestionFileMessages.h"

namespace kanoby::testing {
namespace {

// Each word.txt that cannot serve is named in one message at start-up: missing (or a
// directory), unreadable, empty, too large, bad bytes, too many questions, lines to look
// at. A run without questions ends at once; Roman.ini is applied.
TEST_F(WindowTest, StartUpNamesWhatCannotBeReadAndAppliesRomanIni) {
    const QString path = QDir(Dir()).filePath(u"word.txt"_s);
    Open();
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 1);
    ASSERT_TRUE(QDir(Dir()).mkdir(u"word.txt"_s));
    Open();
    ASSERT_TRUE(QDir(Dir()).rmdir(u"word.txt"_s));
#ifdef _WIN32  // another program holds the file
    WriteFile(u"word.txt"_s, {});
    const HANDLE held = CreateFileW(path.toStdWString().c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    Open();
    CloseHandle(held);
    const QString unreadable = u"ほかのプログラムが使用中です。"_s;
#else
    // Opening works but reading fails, even for root: the process's own
    // memory read from address 0.
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, path));
    Open();
    const QString unreadable = u"ディスクの読み書きでエラーが起きました。"_s;
#endif
    ASSERT_TRUE(QFile::remove(path));
    WriteFile(u"word.txt"_s, {});
    Open();
    ASSERT_TRUE(QFile::resize(path, kMaxWordFileBytes));  // read whole
    Open();
    // 16 GB of nothing, read with 1 GB more address space than is in use (on Linux).
    ASSERT_TRUE(QFile::resize(path, qint64(16) << 30));
#ifndef _WIN32
    QFile statm(u"/proc/self/statm"_s);
    ASSERT_TRUE(statm.open(QIODevice::ReadOnly));
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    const rlimit limit{
        statm.readAll().split(' ')[0].toULongLong() * sysconf(_SC_PAGESIZE) + (1ULL << 30),
        saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
#endif
    Open();
#ifndef _WIN32
    setrlimit(RLIMIT_AS, &saved);
#endif
    WriteFile(u"word.txt"_s, EncodeCp932(u"<b>詩</b>\r\nし\r\n字\r\nじ字\r\n\r\n"_s) + "\xFF\r\n" +
                                 QByteArray("Q\r\n\r\n").repeated(10) + Pairs(0, 1001));
    WriteFile(u"Roman.ini"_s, EncodeCp932(u"\"し\",\"shi\"\r\n"_s));
    const MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|0|中断|<b>詩</b>|し s hi"_s);
    EXPECT_EQ(window.questionLabel->textFormat(), Qt::PlainText);
    const QString native = QDir::toNativeSeparators(path), at = u"問題文ファイル："_s + native;
    const QString missing = u"問題文ファイルが存在しません。処理続行不能！！\n"_s + native;
    const QString none = at + u"\n\n問題文ファイルに問題がありません。"_s;
    EXPECT_EQ(
        boxes.shown,
        (QStringList{
            missing, missing, u"問題文ファイルを読み込めません："_s + native + u'\n' + unreadable,
            none, none, none + u"\n\n問題文ファイルが大きすぎるため、最初の32MBだけを読みます。"_s,
            QStringList{at, Unreadable(6), u"問題は最初の1001問だけを使います。"_s,
                        Notes(u"4:字 5:blank 6:\uFFFD 8: 10: 12: 14: 16: 18: 20: +3 rule"_s)}
                .join(u"\n\n"_s)}));
}

enum Action { kClick, kPress, kClose, kKana };

struct StateRow {
    const char* typedFirst;  // nullptr: idle; else a run is started and these typed
    Action action;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* state;  // afterwards, as State() gives it
    int endDialogs;
    const char* focused = nullptr;  // the control that has the focus meanwhile
};

constexpr auto kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier, kNone = Qt::NoModifier;
constexpr char16_t kIdle[] = u"|0|スタート||", kEnded[] = u"|1|スタート||";
constexpr char16_t kStarted[] = u"1|1|中断|犬|い ぬ i nu", kAfterI[] = u"1|1|中断|犬|い ぬ i n u";
constexpr Qt::Key kNoKey = Qt::Key_unknown, kEnter = Qt::Key_Return;

// clang-format off
const StateRow kStateRows[] = {
    {nullptr, kClick, kNoKey, kNone, kStarted, 0}, {nullptr, kPress, kEnter, kNone, kStarted, 0},
    {nullptr, kPress, kEnter, kNone, kStarted, 0, "startButton"},  // toggles once, not twice
    {nullptr, kPress, Qt::Key_I, kNone, kIdle, 0}, {nullptr, kClose, kNoKey, kNone, kIdle, 0},
    {"i", kClick, kNoKey, kNone, kEnded, 1}, {"i", kPress, kEnter, kNone, kEnded, 1},
    {"i", kPress, Qt::Key_Enter, Qt::KeypadModifier, kEnded, 1},
    {"i", kPress, Qt::Key_F1, kNone, kAfterI, 0}, {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kNone, kAfterI, 0, "startButton"},  // a key of the reading, not a click
    {"i", kPress, Qt::Key_N, kNone, u"1|1|中断|犬|い ぬ in u", 0, "kanaOption"},
    {"i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0},
    {"in", kPress, Qt::Key_U, kNone, u"1|3|中断|猫|ね こ n eko", 0},  // past the empty reading
    {"in", kKana, kNoKey, kNone, u"1|1|中断|犬|い ぬ i ﾇ", 0},  // ぬ starts over
    {"inunek", kPress, Qt::Key_O, kNone, u"|3|スタート||", 1},
    {"i", kClose, kNoKey, kNone, kEnded, 1},
};
// clang-format on

TEST_F(WindowTest, EveryEventLeadsToItsNextState) {
    WriteWords(u"字\n漢\n犬\nいぬ\n\n\n猫\nねこ"_s);  // the first and the third are passed over
    for (const StateRow& row : kStateRows) {
        MainWindow& window = Open();
        SCOPED_TRACE(::testing::Message() << "row " << &row - kStateRows);
        QWidget* const focused =
            row.focused ? window.findChild<QWidget*>(QString::fromLatin1(row.focused)) : &window;
        focused->setFocus();
        if (row.typedFirst != nullptr) {
            Key(kEnter);
            focused->setFocus();
            Type(QString::fromLatin1(row.typedFirst));
        }
        EXPECT_EQ(EndDialogs([&] {
                      if (row.action == kClick)
                          QTest::mouseClick(window.startButton, Qt::LeftButton);
                      else if (row.action == kPress)
                          Key(row.key, row.modifiers);
                      else if (row.action == kClose)
                          window.close();
                      else if (row.action == kKana)
                          QTest::mouseClick(window.kanaOption, Qt::LeftButton);
                  }),
                  row.endDialogs);
        EXPECT_EQ(State(), QString::fromUtf16(row.state));
        EXPECT_EQ(window.isVisible(), row.action != kClose);
        if (row.action == kClick || row.key == kEnter) {  // the window keeps the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            EXPECT_EQ(QApplication::focusWidget(), &window);
        }
        if (window.isVisible() && !window.Running()) {
            Key(kEnter);  // every run starts at the first question
            EXPECT_EQ(State(), kStarted);
        }
    }
    // A start-up message a window, and the help that F1 opened mid-run.
    EXPECT_EQ(boxes.shown.size(), std::size(kStateRows) + 1);
}

// A list opened from the menu, the command line or a drop is the one in use from then on; one
// with nothing to ask leaves it in place; a list changed on disk is read again at the start.
TEST_F(WindowTest, OpensListsAndReadsAChangedOneAgain) {
    WriteWords(u"犬\nいぬ"_s);
    WriteFile(u"bad.txt"_s, "\xEF\xBB\xBF\xE5\xAD\x97\n\xE5\xAD\x97\n");  // 字 / 字
    WriteFile(u"a&b.txt"_s, u"鳥\nとり\n"_s.toUtf8());
    const QString word = QDir(Dir()).filePath(u"word.txt"_s), other = Dir() + u"/a&b.txt"_s;
    MainWindow* window = &Open(Dir() + u"/gone.txt"_s);  // the command line's
    EXPECT_FALSE(window->OpenList(Dir() + u"/bad.txt"_s));
    EXPECT_EQ(window->CurrentListPath(), word);
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QCoreApplication::processEvents();
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|0|中断|鳥|と り t ori"_s);
    EndDialogs([&] { Key(Qt::Key_Return); });
    WriteFile(u"a&b.txt"_s, u"魚\nさかな\n字\n字\n"_s.toUtf8());
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|0|中断|魚|さ かな s akana"_s);
    EndDialogs([&] { Key(Qt::Key_Return); });
    WriteFile(u"a&b.txt"_s, u"魚\nさかな\n"_s.toUtf8());
    window = &Open();
    EXPECT_EQ(window->CurrentListPath(), other);
    window->recentMenu->aboutToShow();
    QList<QAction*> recent = window->recentMenu->actions();
    ASSERT_EQ(recent.size(), 1);
    EXPECT_EQ(recent[0]->text(),
              u"&1 "_s + QDir::toNativeSeparators(other).replace(u"&"_s, u"&&"_s));
    EXPECT_TRUE(window->OpenList(word));
    window->recentMenu->aboutToShow();
    ASSERT_TRUE(QFile::remove(other));
    recent = window->recentMenu->actions();
    recent[1]->trigger();  // gone since the menu was filled
    window->recentMenu->aboutToShow();
    ASSERT_EQ(window->recentMenu->actions().size(), 1);
    const QString cut = u"\n\nこの問題文ファイルには練習できる問題がないため、"_s;
    EXPECT_EQ(
        boxes.shown,
        (QStringList{
            u"問題文ファイルが見つかりません：\n"_s +
                QDir::toNativeSeparators(Dir() + u"/gone.txt"_s) + cut + u"使いません。"_s,
            u"問題文ファイル："_s + QDir::toNativeSeparators(Dir() + u"/bad.txt"_s) + u"\n\n"_s +
                Notes(u"2:字"_s) + cut + u"今の問題文ファイルをそのまま使います。"_s,
            u"問題文ファイル："_s + QDir::toNativeSeparators(other) + u"\n\n"_s + Notes(u"4:字"_s),
            u"問題文ファイルが見つからないため、一覧から消しました：\n"_s +
                QDir::toNativeSeparators(other)}));
}

// つづきから: the next start picks up after the last question completed, and after the
// last at the first; 入力方式を覚える keeps the mode last chosen.
TEST_F(WindowTest, ResumesWhereTheLearnerLeftOffAndKeepsTheInputMode) {
    WriteWords(u"犬\nいぬ\n猫\nねこ\n鳥\nとり"_s);
    MainWindow* window = &Open();
    window->resumeAction->trigger();
    window->keepInputModeAction->trigger();
    Key(Qt::Key_Return);
    Type(u"inu"_s);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 1);
    QTest::mouseClick(window->kanaOption, Qt::LeftButton);
    window = &Open();
    EXPECT_TRUE(window->kanaOption->isChecked());
    QTest::mouseClick(window->romajiOption, Qt::LeftButton);
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|1|中断|猫|ね こ n eko"_s);
    EXPECT_EQ(EndDialogs([&] { Type(u"nekotori"_s); }), 1);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 0);  // a run starts, at the first
    EXPECT_EQ(window->QuestionIndex(), 0);
    window->resumeAction->trigger();
    window->keepInputModeAction->trigger();
    QTest::mouseClick(window->kanaOption, Qt::LeftButton);
    EndDialogs([&] { Key(Qt::Key_Return); });
    window = &Open();
    EXPECT_TRUE(window->romajiOption->isChecked());
    Key(Qt::Key_Return);
    EXPECT_EQ(window->QuestionIndex(), 0);
    EXPECT_EQ(boxes.shown, QStringList());
}

}  // namespace
}  // namespace kanoby::testing
