// word.txt read at start-up, and the run controller driven through the
// window: starting, stopping, every keystroke's road, the end and closing.
#include <QDir>
#include <QKeyEvent>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "mainwindow/QuestionFile.h"

namespace kanoby::testing {
namespace {

QString Unreadable(int line) {
    return u"問題文ファイルの%1行目に読めない文字があります。"_s.arg(line);
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
    {"Q\r\nq", u"Q|q|"_s},
    {"A\na\rB\r\nb\n\rC\r\r\n", u"A|a|B|b||C|"_s},               // line ends mixed freely
    {" A \r\n\t\xEF\xBD\x81\t\r\nB", u" A |\tａ\t|"_s},          // blanks kept, an unpaired line not
    {"A\r\na\r\n\r\n", u"A|a|"_s},
    {"\x81\x5F\r\n\x81\x60\r\n", u"＼|～|"_s},                   // where code page 932 is not Shift_JIS
    {"漢字\r\nかんじ", u"漢字|かんじ|"_s},                        // UTF-8, with or without a mark
    {"\xEF\xBB\xBF漢字\nかんじ\n", u"漢字|かんじ|"_s},
    {"\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x0D\x4E\x0A\x00\x61\x00\x0D\x00\x42\xD8\xB7\xDF"_ba, u"上|不|a|𠮷|"_s},
    {"\xFE\xFF\x4E\x0A\x00\x0D\x4E\x0D\x00\x0D\x00\x0A\x00\x41\x00\x0A\x00\x62"_ba, u"上|不|A|b|"_s},
    {"\xFF\xFE\x41\x00\x0A\x00\x00\xD8\x61\x00\x0A\x00\x42\x00\x0A\x00\x62\x00"_ba, u"A|\uFFFDa|B|b|"_s, {Unreadable(2)}},
    {"\xFF\xFE\x41\x00\x0A\x00\x62"_ba, u"A|\uFFFD|"_s, {Unreadable(2)}},  // an odd last byte
    {"\x8A\xBF\r\n\x82\xA9\x82", u"漢|か\uFFFD|"_s, {Unreadable(2)}},    // a lead byte cut off
    {"A\r\na\r\n\xFF\r\nb\r\n\x80\r\n\x80\r\n\xFF", u"A|a|\uFFFD|b|\uFFFD|\uFFFD|"_s, {Unreadable(3)}},
    {"\xEF\xBB\xBF" "A\r\n\xE3\x81\r\n"_ba, u"A|\uFFFD\uFFFD|"_s, {Unreadable(2)}},
    {"\x82\xA9\r\n\xE3\x81\x8B\r\n", u"か|\u7E3A\uFFFD|"_s, {Unreadable(2)}},  // not all UTF-8
};
// clang-format on

TEST(ReadQuestionsTest, ReadsThePairsAndWordsTheMessages) {
    auto list = std::make_unique<QuestionList>();
    for (const ReadRow& row : kReadRows) {
        QStringList messages;
        ReadQuestions(row.bytes, *list, messages);
        QString lines;
        for (int i = 0; i < list->QuestionCount; ++i)
            lines += list->Questions[i] + u'|' + list->Readings[i] + u'|';
        EXPECT_EQ(lines, row.lines) << row.bytes.toHex(' ').toStdString();
        EXPECT_EQ(messages, row.messages) << row.bytes.toHex(' ').toStdString();
    }
    for (const auto& [bytes, count, messages] :
         {std::tuple{Pairs(0, 1001), 1001, QStringList{}},
          {Pairs(0, 1001) + "extra", 1001, QStringList{}},
          {Pairs(0, 1002), 1001, QStringList{u"問題は最初の1001問だけを使います。"_s}}}) {
        QStringList shown;
        ReadQuestions(bytes, *list, shown);
        EXPECT_EQ(list->QuestionCount, count);
        EXPECT_EQ(list->Readings[1000], u"q1000"_s);
        EXPECT_EQ(shown, messages);
    }
}

// Each word.txt that cannot serve is named once at start-up: missing (or a
// directory), unreadable, bad bytes, too many questions, a reading no key
// can finish. A run without questions only stops; Roman.ini is applied.
TEST_F(WindowTest, StartUpNamesWhatCannotBeReadAndAppliesRomanIni) {
    const QString path = QDir(Dir()).filePath(u"word.txt"_s);
    Open();
    Key(Qt::Key_Return);
    Type(u"aiueon -,.@[:;0123456789"_s);
    Open().Option2->setChecked(true);  // a second window: the box again
    Key(Qt::Key_Return);
    Type(u"aiueon -,.@[:;0123456789"_s);
    EXPECT_EQ(State(), u"1|0|中断||"_s);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 1);
    ASSERT_TRUE(QDir(Dir()).mkdir(u"word.txt"_s));
    Open();
    // Opening works but reading fails, even for root: the process's own
    // memory read from address 0.
    ASSERT_TRUE(QDir(Dir()).rmdir(u"word.txt"_s) && QFile::link(u"/proc/self/mem"_s, path));
    Open();
    ASSERT_TRUE(QFile::remove(path));
    WriteFile(u"word.txt"_s,
              EncodeCp932(u"<b>詩</b>\r\nし\r\n字\r\nじ字\r\n"_s) + "\xFF\r\n" + Pairs(0, 1001));
    WriteFile(u"Roman.ini"_s, EncodeCp932(u"\"し\",\"shi\"\r\n"_s));
    const MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|0|中断|<b>詩</b>|し s hi"_s);
    EXPECT_EQ(window.Label1->textFormat(), Qt::PlainText);
    const QString missing = u"問題文ファイルが存在しません。処理続行不能！！"_s;
    EXPECT_EQ(boxes.shown,
              (QStringList{missing, missing, missing,
                           u"問題文ファイルを読み込めません："_s + QDir::toNativeSeparators(path) +
                               u"\nディスクの読み書きでエラーが起きました。"_s,
                           Unreadable(5), u"問題は最初の1001問だけを使います。"_s,
                           u"問題文ファイルの4行目の読みに入力できない文字があります。"_s}));
}

enum Action { kClick, kPress, kClose };

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
constexpr const char16_t* kIdle = u"|0|スタート||";
constexpr const char16_t* kStarted = u"1|0|中断|犬|い ぬ i nu";
constexpr const char16_t* kAfterI = u"1|0|中断|犬|い ぬ i n u";
constexpr Qt::Key kNoKey = Qt::Key_unknown, kEnter = Qt::Key_Return;

// clang-format off
const StateRow kStateRows[] = {
    {nullptr, kClick, kNoKey, kNone, kStarted, 0}, {nullptr, kPress, kEnter, kNone, kStarted, 0},
    {nullptr, kPress, kEnter, kNone, kStarted, 0, "Command1"},  // toggles once, not twice
    {nullptr, kPress, Qt::Key_I, kNone, kIdle, 0}, {nullptr, kClose, kNoKey, kNone, kIdle, 0},
    {"i", kClick, kNoKey, kNone, kIdle, 1}, {"i", kPress, kEnter, kNone, kIdle, 1},
    {"i", kPress, Qt::Key_Enter, Qt::KeypadModifier, kIdle, 1},
    {"i", kPress, Qt::Key_F1, kNone, kAfterI, 0}, {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kNone, kAfterI, 0, "Command1"},  // a key of the reading, not a click
    {"i", kPress, Qt::Key_N, kNone, u"1|0|中断|犬|い ぬ in u", 0, "Option2"},
    {"i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0},
    {"in", kPress, Qt::Key_U, kNone, u"1|1|中断|猫|ね こ n eko", 0},
    {"inunek", kPress, Qt::Key_O, kNone, u"|1|スタート||", 1},
    {"i", kClose, kNoKey, kNone, kIdle, 1},
};
// clang-format on

TEST_F(WindowTest, EveryEventLeadsToItsNextState) {
    WriteWords(u"犬\nいぬ\n猫\nねこ"_s);
    for (const StateRow& row : kStateRows) {
        MainWindow& window = Open();
        SCOPED_TRACE(QString::fromUtf16(row.state).toStdString() + " " +
                     (row.focused ? row.focused : ""));
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
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace kanoby::testing
