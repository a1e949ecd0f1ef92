#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

#include "mainwindow/QuestionFile.h"
#include "ui/MessageBox.h"

// Failures show the text, not its bytes.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

using Pairs = std::vector<std::pair<QString, QString>>;

const QString kMissing = u"問題文ファイルが存在しません。処理続行不能！！"_s;
const QString kTooMany = u"問題は最初の1001問だけを使います。"_s;
QString Unreadable(int line) {
    return u"問題文ファイルの%1行目に読めない文字があります。"_s.arg(line);
}

Pairs PairsOf(const QuestionList& list) {
    Pairs pairs;
    for (int i = 0; i < list.QuestionCount; ++i)
        pairs.emplace_back(list.Questions[i], list.Readings[i]);
    return pairs;
}

// What the rest of the program relies on: nothing beyond the count is set.
void ExpectEmptyBeyondCount(const QuestionList& list) {
    for (int i = list.QuestionCount; i < kMaxQuestions; ++i) {
        ASSERT_TRUE(list.Questions[i].isEmpty() && list.Readings[i].isEmpty()) << i;
    }
}

struct ReadRow {
    const char* name;
    QByteArray bytes;
    Pairs pairs;
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
    EXPECT_EQ(PairsOf(*list), row.pairs);
    EXPECT_EQ(messages, row.messages);
    ExpectEmptyBeyondCount(*list);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WordTxt, ReadQuestionsTest, ::testing::Values(
    ReadRow{"Empty", QByteArray(), {}, {}},
    ReadRow{"TwoLinesWithoutFinalLineEnd", QByteArray("Q\r\nq"), {{u"Q"_s, u"q"_s}}, {}},
    ReadRow{"PairsInFileOrder", QByteArray("A\r\na\r\nB\r\nb\r\nC\r\nc\r\n"),
            {{u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}, {u"C"_s, u"c"_s}}, {}},
    ReadRow{"LfLineEnds", QByteArray("A\na\nB\nb\n"), {{u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}}, {}},
    ReadRow{"LoneCrLineEnds", QByteArray("A\ra\rB\rb"), {{u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}}, {}},
    ReadRow{"MixedLineEnds", QByteArray("A\r\na\nB\rb\n\rC\r\r\n"),
            {{u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}, {u""_s, u"C"_s}}, {}},
    ReadRow{"SpacesAndTabsKept", QByteArray(" A \r\n\tａ\t\r\n"), {{u" A "_s, u"\tａ\t"_s}}, {}},
    ReadRow{"EmptyLinesAreData", QByteArray("\r\n\r\n"), {{u""_s, u""_s}}, {}},
    ReadRow{"UnpairedLastLineIgnored", QByteArray("A\r\na\r\nB"), {{u"A"_s, u"a"_s}}, {}},
    ReadRow{"TrailingEmptyLineIgnored", QByteArray("A\r\na\r\n\r\n"), {{u"A"_s, u"a"_s}}, {}},
    ReadRow{"OneLineOnly", QByteArray("A\r\n"), {}, {}},
    ReadRow{"Cp932", QByteArray("\x8A\xBF\x8E\x9A\r\n\x82\xA9\x82\xF1\x82\xB6\r\n"),
            {{u"漢字"_s, u"かんじ"_s}}, {}},
    ReadRow{"Cp932WhereItDiffersFromShiftJis", QByteArray("\x81\x5F\r\n\x81\x60\r\n"),
            {{u"＼"_s, u"～"_s}}, {}},
    ReadRow{"Utf8WithoutByteOrderMark", QByteArray("漢字\r\nかんじ\r\n"), {{u"漢字"_s, u"かんじ"_s}}, {}},
    ReadRow{"Utf8WithByteOrderMark", QByteArray("\xEF\xBB\xBF漢字\nかんじ\n"), {{u"漢字"_s, u"かんじ"_s}}, {}},
    ReadRow{"ByteOrderMarkOnAsciiFile", QByteArray("\xEF\xBB\xBF" "A\r\na"), {{u"A"_s, u"a"_s}}, {}},
    ReadRow{"ByteOrderMarkOnly", QByteArray("\xEF\xBB\xBF"), {}, {}},
    ReadRow{"LeadByteCutOffAtEnd", QByteArray("\x8A\xBF\r\n\x82\xA9\x82"),
            {{u"漢"_s, u"か\uFFFD"_s}}, {Unreadable(2)}},
    ReadRow{"LeadByteBeforeLineEnd", QByteArray("\x8A\r\n\x82\xA9\r\n"),
            {{u"\uFFFD"_s, u"か"_s}}, {Unreadable(1)}},
    ReadRow{"OnlyTheFirstUnreadableLineIsNamed",
            QByteArray("A\r\na\r\n\xFF\r\nb\r\nC\r\n\x80\r\n"),
            {{u"A"_s, u"a"_s}, {u"\uFFFD"_s, u"b"_s}, {u"C"_s, u"\uFFFD"_s}}, {Unreadable(3)}},
    ReadRow{"UnreadableBytesInAnIgnoredLineSayNothing", QByteArray("A\r\na\r\n\xFF"),
            {{u"A"_s, u"a"_s}}, {}},
    ReadRow{"InvalidUtf8AfterByteOrderMark", QByteArray("\xEF\xBB\xBF" "A\r\n\xE3\x81\r\n"),
            {{u"A"_s, u"\uFFFD\uFFFD"_s}}, {Unreadable(2)}},
    ReadRow{"NotAllUtf8IsCp932", QByteArray("\x82\xA9\r\n\xE3\x81\x8B\r\n"),
            {{u"か"_s, u"\u7E3A\uFFFD"_s}}, {Unreadable(2)}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

QByteArray ManyPairs(int pairs) {
    QByteArray bytes;
    for (int i = 0; i < pairs; ++i) {
        bytes += "Q" + QByteArray::number(i) + "\r\nq" + QByteArray::number(i) + "\r\n";
    }
    return bytes;
}

struct CountRow {
    const char* name;
    QByteArray bytes;
    int count;
    QStringList messages;
};

void PrintTo(const CountRow& row, std::ostream* os) {
    *os << row.name;
}

class QuestionLimitTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(QuestionLimitTest, KeepsAtMost1001PairsInOrder) {
    const CountRow& row = GetParam();
    auto list = std::make_unique<QuestionList>();
    QStringList messages;
    ReadQuestions(row.bytes, *list, messages);
    ASSERT_EQ(list->QuestionCount, row.count);
    EXPECT_EQ(messages, row.messages);
    for (int i = 0; i < row.count; ++i) {
        ASSERT_EQ(list->Questions[i], u"Q"_s + QString::number(i));
        ASSERT_EQ(list->Readings[i], u"q"_s + QString::number(i));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WordTxt, QuestionLimitTest,
    ::testing::Values(CountRow{"Exactly1001", ManyPairs(1001), 1001, {}},
                      CountRow{"1001AndAnUnpairedLine", ManyPairs(1001) + "extra", 1001, {}},
                      CountRow{"1002", ManyPairs(1002), 1001, {kTooMany}},
                      CountRow{"ManyMore", ManyPairs(5000), 1001, {kTooMany}}),
    [](const auto& info) { return std::string(info.param.name); });

class RecordingMessageBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* parent, const QString& text) override {
        EXPECT_EQ(parent, nullptr);
        texts.append(text);
    }
    QStringList texts;
};

class LoadQuestionsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString WordTxt() const { return dir.filePath(u"word.txt"_s); }
    void Write(const QByteArray& bytes) const {
        QFile file(WordTxt());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void Load() { LoadQuestions(dir.path(), *list, boxes); }

    QTemporaryDir dir;
    std::unique_ptr<QuestionList> list = std::make_unique<QuestionList>();
    RecordingMessageBoxes boxes;
};

TEST_F(LoadQuestionsTest, ReadsWordTxtFromTheProgramDirectory) {
    Write("問題\r\nもんだい\r\n");
    Load();
    EXPECT_EQ(PairsOf(*list), (Pairs{{u"問題"_s, u"もんだい"_s}}));
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(LoadQuestionsTest, ShowsEveryMessageOfTheReader) {
    Write("\xFF\r\n" + ManyPairs(1002).mid(4));
    Load();
    EXPECT_EQ(list->QuestionCount, 1001);
    EXPECT_EQ(boxes.texts, (QStringList{Unreadable(1), kTooMany}));
}

TEST_F(LoadQuestionsTest, MissingFileIsReportedAndLeavesNoQuestions) {
    list->QuestionCount = 3;
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    EXPECT_EQ(boxes.texts, QStringList{kMissing});
}

TEST_F(LoadQuestionsTest, DirectoryOfThatNameCountsAsMissing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"word.txt"_s));
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    EXPECT_EQ(boxes.texts, QStringList{kMissing});
}

TEST_F(LoadQuestionsTest, DanglingLinkCountsAsMissing) {
    ASSERT_TRUE(QFile::link(dir.filePath(u"nowhere"_s), WordTxt()));
    Load();
    EXPECT_EQ(boxes.texts, QStringList{kMissing});
}

void ExpectUnreadableMessage(const QStringList& texts, const QString& path) {
    ASSERT_EQ(texts.size(), 1);
    const QString prefix =
        u"問題文ファイルを読み込めません："_s + QDir::toNativeSeparators(path) + u'\n';
    EXPECT_TRUE(texts[0].startsWith(prefix)) << texts[0].toStdString();
    EXPECT_GT(texts[0].size(), prefix.size()) << "no reason given";
}

TEST_F(LoadQuestionsTest, FileThatCannotBeOpenedIsReportedWithPathAndReason) {
    Write("A\r\na\r\n");
    ASSERT_TRUE(QFile::setPermissions(WordTxt(), QFileDevice::WriteOwner));
    if (QFile file(WordTxt()); file.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running as root, which reads files whatever their permissions";
    }
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    ExpectUnreadableMessage(boxes.texts, WordTxt());
}

// Opening succeeds but reading fails, which no permission bit can fake for
// root: the process's own memory read from address 0 gives an I/O error.
TEST_F(LoadQuestionsTest, FileThatFailsWhileReadingIsReportedWithPathAndReason) {
    if (!QFile::exists(u"/proc/self/mem"_s))
        GTEST_SKIP() << "needs /proc/self/mem";
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, WordTxt()));
    Load();
    EXPECT_EQ(list->QuestionCount, 0);
    ExpectUnreadableMessage(boxes.texts, WordTxt());
}

}  // namespace
}  // namespace kanoby
