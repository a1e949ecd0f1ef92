// Reading word.txt: pairs of lines, line ends, encodings, the limit of 1001
// questions, and the messages for a file that is missing or cannot be read.
#include <QDir>

#include "WindowTestSupport.h"
#include "mainwindow/QuestionFile.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

const QString kMissing = u"問題文ファイルが存在しません。処理続行不能！！"_s;
const QString kTooMany = u"問題は最初の1001問だけを使います。"_s;
QString Unreadable(int line) {
    return u"問題文ファイルの%1行目に読めない文字があります。"_s.arg(line);
}

struct ReadRow {
    const char* name;
    QByteArray bytes;
    QStringList lines;  // of the questions read: display text, reading, display text, …
    QStringList messages;
};

void PrintTo(const ReadRow& row, std::ostream* os) {
    *os << row.name;
}

class ReadQuestionsTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadQuestionsTest, ReadsThePairsAndWordsTheMessages) {
    const ReadRow& row = GetParam();
    auto list = std::make_unique<QuestionList>();
    // Left over from an earlier read: must not survive.
    list->Questions[7] = u"old"_s;
    list->QuestionCount = 8;
    QStringList messages;
    ReadQuestions(row.bytes, *list, messages);
    QStringList lines;
    for (int i = 0; i < kMaxQuestions; ++i) {
        if (i < list->QuestionCount) {
            lines << list->Questions[i] << list->Readings[i];
        } else {  // the rest of the program relies on nothing beyond the count
            ASSERT_TRUE(list->Questions[i].isEmpty() && list->Readings[i].isEmpty()) << i;
        }
    }
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(messages, row.messages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WordTxt, ReadQuestionsTest, ::testing::Values(
    ReadRow{"TwoLinesWithoutFinalLineEnd", QByteArray("Q\r\nq"), {u"Q"_s, u"q"_s}, {}},
    ReadRow{"PairsInFileOrder", QByteArray("A\r\na\r\nB\r\nb\r\nC\r\nc\r\n"), {u"A"_s, u"a"_s, u"B"_s, u"b"_s, u"C"_s, u"c"_s}, {}},
    ReadRow{"LfLineEnds", QByteArray("A\na\nB\nb\n"), {u"A"_s, u"a"_s, u"B"_s, u"b"_s}, {}},
    ReadRow{"LoneCrLineEnds", QByteArray("A\ra\rB\rb"), {u"A"_s, u"a"_s, u"B"_s, u"b"_s}, {}},
    ReadRow{"MixedLineEnds", QByteArray("A\r\na\nB\rb\n\rC\r\r\n"), {u"A"_s, u"a"_s, u"B"_s, u"b"_s, u""_s, u"C"_s}, {}},
    ReadRow{"SpacesAndTabsKept", QByteArray(" A \r\n\tａ\t\r\n"), {u" A "_s, u"\tａ\t"_s}, {}},
    ReadRow{"UnpairedLastLineIgnored", QByteArray("A\r\na\r\nB"), {u"A"_s, u"a"_s}, {}},
    ReadRow{"TrailingEmptyLineIgnored", QByteArray("A\r\na\r\n\r\n"), {u"A"_s, u"a"_s}, {}},
    ReadRow{"Cp932WhereItDiffersFromShiftJis", QByteArray("\x81\x5F\r\n\x81\x60\r\n"), {u"＼"_s, u"～"_s}, {}},
    ReadRow{"Utf8WithoutByteOrderMark", QByteArray("漢字\r\nかんじ\r\n"), {u"漢字"_s, u"かんじ"_s}, {}},
    ReadRow{"Utf8WithByteOrderMark", QByteArray("\xEF\xBB\xBF漢字\nかんじ\n"), {u"漢字"_s, u"かんじ"_s}, {}},
    ReadRow{"Utf16LeSplitAsTextNotBytes", "\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x0D\x4E\x0A\x00\x42\xD8\xB7\xDF\x0D\x00\x61\x00"_ba, {u"上"_s, u"不"_s, u"𠮷"_s, u"a"_s}, {}},
    ReadRow{"Utf16Be", "\xFE\xFF\x4E\x0A\x00\x0D\x4E\x0D\x00\x0D\x00\x0A\x00\x41\x00\x0A\x00\x62"_ba, {u"上"_s, u"不"_s, u"A"_s, u"b"_s}, {}},
    ReadRow{"Utf16LoneSurrogateAndOddLastByte", "\xFF\xFE\x41\x00\x0A\x00\x00\xD8\x61\x00\x0A\x00\x42\x00\x0A\x00\x62"_ba, {u"A"_s, u"\uFFFDa"_s, u"B"_s, u"\uFFFD"_s}, {Unreadable(2)}},
    ReadRow{"LeadByteCutOffAtEnd", QByteArray("\x8A\xBF\r\n\x82\xA9\x82"), {u"漢"_s, u"か\uFFFD"_s}, {Unreadable(2)}},
    ReadRow{"OnlyTheFirstUnreadableLineIsNamed", QByteArray("A\r\na\r\n\xFF\r\nb\r\nC\r\n\x80\r\n"), {u"A"_s, u"a"_s, u"\uFFFD"_s, u"b"_s, u"C"_s, u"\uFFFD"_s}, {Unreadable(3)}},
    ReadRow{"UnreadableBytesInAnIgnoredLineSayNothing", QByteArray("A\r\na\r\n\xFF"), {u"A"_s, u"a"_s}, {}},
    ReadRow{"InvalidUtf8AfterByteOrderMark", QByteArray("\xEF\xBB\xBF" "A\r\n\xE3\x81\r\n"), {u"A"_s, u"\uFFFD\uFFFD"_s}, {Unreadable(2)}},
    ReadRow{"NotAllUtf8IsCp932", QByteArray("\x82\xA9\r\n\xE3\x81\x8B\r\n"), {u"か"_s, u"\u7E3A\uFFFD"_s}, {Unreadable(2)}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

QByteArray ManyPairs(int pairs) {
    QByteArray bytes;
    for (int i = 0; i < pairs; ++i) {
        bytes += "Q" + QByteArray::number(i) + "\r\nq" + QByteArray::number(i) + "\r\n";
    }
    return bytes;
}

QStringList FirstLines(int pairs) {
    QStringList lines;
    for (int i = 0; i < pairs; ++i) {
        lines << u"Q"_s + QString::number(i) << u"q"_s + QString::number(i);
    }
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Limit, ReadQuestionsTest,
    ::testing::Values(ReadRow{"Exactly1001", ManyPairs(1001), FirstLines(1001), {}},
                      ReadRow{
                          "1001AndAnUnpairedLine", ManyPairs(1001) + "extra", FirstLines(1001), {}},
                      ReadRow{"1002", ManyPairs(1002), FirstLines(1001), {kTooMany}}),
    [](const auto& info) { return std::string(info.param.name); });

class LoadQuestionsTest : public testing::WindowTest {
  protected:
    QString WordTxt() const { return QDir(Dir()).filePath(u"word.txt"_s); }
    void Load() { LoadQuestions(Dir(), *list, boxes); }

    std::unique_ptr<QuestionList> list = std::make_unique<QuestionList>();
    testing::RecordingBoxes boxes;
};

TEST_F(LoadQuestionsTest, ReadsWordTxtFromTheProgramDirectoryAndShowsEveryMessage) {
    WriteFile(u"word.txt"_s, "\xFF\r\n" + ManyPairs(1002).mid(4));
    Load();
    EXPECT_EQ(list->QuestionCount, 1001);
    EXPECT_EQ(list->Readings[1], u"q1"_s);
    EXPECT_EQ(boxes.shown, (QStringList{Unreadable(1), kTooMany}));
}

// The program goes on with no questions.
TEST_F(LoadQuestionsTest, DirectoryOrDanglingLinkOfThatNameIsMissing) {
    ASSERT_TRUE(QDir(Dir()).mkdir(u"word.txt"_s));
    list->QuestionCount = 3;
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    ASSERT_TRUE(QDir(Dir()).rmdir(u"word.txt"_s));
    ASSERT_TRUE(QFile::link(QDir(Dir()).filePath(u"nowhere"_s), WordTxt()));
    Load();
    EXPECT_EQ(boxes.shown, (QStringList{kMissing, kMissing}));
}

// Opening succeeds but reading fails, which no permission bit can fake for
// root: the process's own memory read from address 0 gives an I/O error.
TEST_F(LoadQuestionsTest, FileThatCannotBeReadIsReportedWithPathAndReason) {
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, WordTxt()));
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    EXPECT_EQ(boxes.shown, QStringList{u"問題文ファイルを読み込めません："_s +
                                       QDir::toNativeSeparators(WordTxt()) +
                                       u"\nディスクの読み書きでエラーが起きました。"_s});
}

}  // namespace
}  // namespace kanoby
