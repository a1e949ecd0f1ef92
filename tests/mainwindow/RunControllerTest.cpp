// word.txt read at start-up, and the run controller driven through the
// window: starting, stopping, every keystroke's road, the end and closing.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "files/QuestionFile.h"

namespace kanoby::testing {
namespace {

QString Unreadable(int line) {
    return u"問題文ファイルの%1行目に読めない文字があります。"_s.arg(line);
}

// The paragraph on lines to look at: "4:字" for an untypeable 字 in line 4,
// "6:" for an empty reading, "5:blank" for an empty question, "2:long", "+2"
// for two lines more, "rule" for the rule on blank lines.
QString Notes(const QString& notes) {
    QString text = u"問題文ファイルの次の行を確かめてください。"_s;
    for (const QString& note : notes.split(u' ')) {
        const QString line = note.section(u':', 0, 0), what = note.section(u':', 1);
        text +=
            line.startsWith(u'+') ? u"\nほか%1行"_s.arg(line.mid(1))
            : line == u"rule"_s ? u"\n問題文と読みは、間に空の行を入れずに2行ずつ続けて書きます"
                                  u"（空の行が1つあると、それより後の組がすべて1行ずれます）。"_s
            : what == u"blank"_s ? u"\n%1行目：問題文が空です。"_s.arg(line)
            : what == u"long"_s
                ? u"\n%1行目：長すぎるため、最初の32767文字だけを使います。"_s.arg(line)
                : u"\n%1行目：%2この問題は飛ばします。"_s.arg(
                      line, what.isEmpty() ? u"読みが空です。"_s
                                           : u"読みの「%1」を打つキーがありません。"_s.arg(what));
    }
    return text;
}

QByteArray Pairs(int from, int to) {
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes += "Q\r\nq" + QByteArray::number(i) + "\r\n";
    return bytes;
}

struct ReadRow {
    QByteArray bytes;
    QString lines;  // the pairs read, every line followed by "|"
    QStringList messages = {};
};

// clang-format off
const ReadRow kReadRows[] = {
    {"A\na\rB\r\nb\n\rC\r\r\n", u"A|a|B|b||C|"_s, {Notes(u"5:blank rule"_s)}},  // line ends mixed
    {" A \r\n\t\xEF\xBD\x81\t\r\nB", u" A |\tａ\t|"_s},          // blanks kept, an unpaired line not
    {"\x81\x5F\r\n\x81\x60\r\n", u"＼|～|"_s},                   // where code page 932 is not Shift_JIS
    {"漢字\r\nかんじ\r\n\r\n", u"漢字|かんじ|"_s}, {"\xEF\xBB\xBF漢字\nかんじ", u"漢字|かんじ|"_s},  // UTF-8
    {"\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x0D\x4E\x0A\x00\x61\x00\x0D\x00\x42\xD8\xB7\xDF"_ba, u"上|不|a|𠮷|"_s},
    {"\xFE\xFF\x4E\x0A\x00\x0D\x4E\x0D\x00\x0D\x00\x0A\x00\x41\x00\x0A"_ba, u"上|不|"_s},  // A unpaired
    {"\xFF\xFE\x41\x00\x0A\x00\x00\xD8\x61\x00\x0A\x00\x42\x00\x0A\x00\x62\x00"_ba, u"A|\uFFFDa|B|b|"_s, {Unreadable(2)}},
    {"\xFF\xFE\x41\x00\x0A\x00\x62"_ba, u"A|\uFFFD|"_s, {Unreadable(2)}},  // an odd last byte
    {"\x8A\xBF\r\n\x82\xA9\x82", u"漢|か\uFFFD|"_s, {Unreadable(2)}},    // a lead byte cut off
    {"A\r\na\r\n\xFF\r\nb\r\n\x80\r\n\x80\r\n\xFF", u"A|a|\uFFFD|b|\uFFFD|\uFFFD|"_s, {Unreadable(3)}},
    {"\xEF\xBB\xBF" "A\r\n\xE3\x81\r\n"_ba, u"A|\uFFFD\uFFFD|"_s, {Unreadable(2)}},
    {"\x82\xA9\r\n\xE3\x81\x8B\r\n", u"か|\u7E3A\uFFFD|"_s, {Unreadable(2)}},  // not all UTF-8
    {"\x82\xCD\x82\xC8\r\n\x82\xCC\x82\xC9\x82\xD9\x82\xD0", u"はな|のにほひ|"_s},  // UTF-8's C8 82 ...
    {"日本語の文\r\nにほんごの\xFFぶん\r\n", u"日本語の文|にほんごの\uFFFDぶん|"_s, {Unreadable(2)}},
    {"", u""_s, {u"問題文ファイルに問題がありません。"_s}},
    {"\r\n字\r\nQ\r\n\r\n" + QByteArray(32768, 'a') + "\r\n字", u"|字|Q||"_s + QString(32767, u'a') + u"|字|"_s,
     {Notes(u"1:blank 2:字 4: 5:long 6:字 rule"_s)}},
};
// clang-format on

TEST(ReadQuestionsTest, ReadsThePairsAndWordsTheMessages) {
    auto list = std::make_unique<QuestionList>();
    // The window asks its tables.
    const TypeableTest typeable = [](char16_t c) { return c != u'字'; };
    for (const ReadRow& row : kReadRows) {
        QStringList messages;
        ReadQuestions(row.bytes, typeable, *list, messages);
        QString lines;
        for (int i = 0; i < list->QuestionCount; ++i)
            lines += list->Questions[i] + u'|' + list->Readings[i] + u'|';
        EXPECT_EQ(lines, row.lines) << row.bytes.toHex(' ').toStdString();
        EXPECT_EQ(messages, row.messages) << row.bytes.toHex(' ').toStdString();
    }
    for (const auto& [bytes, messages] :
         {std::pair{Pairs(0, 1001), QStringList{}},
          {Pairs(0, 1001) + "extra", QStringList{}},
          {Pairs(0, 1002), QStringList{u"問題は最初の1001問だけを使います。"_s}}}) {
        QStringList shown;
        ReadQuestions(bytes, typeable, *list, shown);
        EXPECT_EQ(list->QuestionCount, 1001);
        EXPECT_EQ(list->Readings[1000], u"q1000"_s);
        EXPECT_EQ(shown, messages);
    }
}

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
    EXPECT_EQ(window.Label1->textFormat(), Qt::PlainText);
    const QString native = QDir::toNativeSeparators(path), at = u"問題文ファイル："_s + native;
    const QString missing = u"問題文ファイルが存在しません。処理続行不能！！\n"_s + native;
    const QString none = at + u"\n\n問題文ファイルに問題がありません。"_s;
    EXPECT_EQ(
        boxes.shown,
        (QStringList{
            missing, missing, u"問題文ファイルを読み込めません："_s + native + u'\n' + unreadable,
            none, none + u"\n\n問題文ファイルが大きすぎるため、最初の32MBだけを読みます。"_s,
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
    {nullptr, kPress, kEnter, kNone, kStarted, 0, "Command1"},  // toggles once, not twice
    {nullptr, kPress, Qt::Key_I, kNone, kIdle, 0}, {nullptr, kClose, kNoKey, kNone, kIdle, 0},
    {"i", kClick, kNoKey, kNone, kEnded, 1}, {"i", kPress, kEnter, kNone, kEnded, 1},
    {"i", kPress, Qt::Key_Enter, Qt::KeypadModifier, kEnded, 1},
    {"i", kPress, Qt::Key_F1, kNone, kAfterI, 0}, {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kNone, kAfterI, 0, "Command1"},  // a key of the reading, not a click
    {"i", kPress, Qt::Key_N, kNone, u"1|1|中断|犬|い ぬ in u", 0, "Option2"},
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
                          QTest::mouseClick(window.Command1, Qt::LeftButton);
                      else if (row.action == kPress)
                          Key(row.key, row.modifiers);
                      else if (row.action == kClose)
                          window.close();
                      else if (row.action == kKana)
                          QTest::mouseClick(window.Option2, Qt::LeftButton);
                  }),
                  row.endDialogs);
        EXPECT_EQ(State(), QString::fromUtf16(row.state));
        EXPECT_EQ(window.isVisible(), row.action != kClose);
        if (row.action == kClick || row.key == kEnter) {  // the window keeps the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            EXPECT_EQ(QApplication::focusWidget(), &window);
        }
        if (window.isVisible() && window.RunState().isEmpty()) {
            Key(kEnter);  // every run starts at the first question
            EXPECT_EQ(State(), kStarted);
        }
    }
    EXPECT_EQ(boxes.shown.size(), std::size(kStateRows));
}

}  // namespace
}  // namespace kanoby::testing
