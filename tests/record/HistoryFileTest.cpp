// The history file's rules: a line per run that reads back as written, cut
// and foreign lines skipped and counted, a huge file read from its newest
// part, appends that survive a cut line and a second writer.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <thread>

#include "record/HistoryFile.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

RunRecord SampleRun(const int questions = 2, const QString& list = u"/data/word.txt"_s) {
    RunRecord run;
    run.started = QDateTime(QDate(2026, 12, 8), QTime(9, 15, 2), Qt::OffsetFromUTC, 9 * 3600);
    run.list = list;
    run.mode = RecordedMode::Kana;
    run.kind = RunKind::MissedQuestions;
    run.questions = questions;
    run.kana = 7;
    run.keys = 12;
    run.misses = 2;
    run.typingMs = 5250;
    run.kanaCounts = {{u"か"_s, 2}, {u" "_s, 1}};
    run.missList = {{0, 2, u"か"_s, u" "_s, u"k"_s}, {3, 1, u"%"_s, u":"_s, u"\t"_s}};
    return run;
}

QByteArray Line(const int questions = 2) {
    return FormatRunLine(SampleRun(questions));
}

TEST(HistoryFile, ALineReadsBackAsWritten) {
    const RunRecord run = SampleRun(2, u"/a b/%x:\t/単語.txt"_s);
    const QByteArray line = FormatRunLine(run);
    ASSERT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_TRUE(
        line.startsWith("run1\t2026-12-08T09:15:02+09:00\tkana\tmissed\t2\t7\t12\t2\t5250\t"));
    const std::optional<RunRecord> read = ParseRunLine(QByteArrayView(line).chopped(1));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->list, run.list);
    EXPECT_EQ(FormatRunLine(*read), line);  // the time and its offset too
}

struct FileCase {
    const char* name;
    QByteArray bytes;
    bool startsMidLine;
    int runs, junk;
    bool cut;
};

class HistoryParseTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(HistoryParseTest, SkipsAndCountsWhatIsNotARun) {
    const History history = ParseHistory(GetParam().bytes, GetParam().startsMidLine);
    EXPECT_EQ(static_cast<int>(history.runs.size()), GetParam().runs);
    EXPECT_EQ(history.junkLines, GetParam().junk);
    EXPECT_EQ(history.cutLastLine, GetParam().cut);
}

const QByteArray kBinary("\x00\xFF\xFE\x01\x80run1\t\n", 11);

const FileCase kFiles[] = {
    {"TwoRuns", Line() + Line(3), false, 2, 0, false},
    {"CutLastLine", Line() + Line().left(40), false, 1, 0, true},
    {"CutLineThenARun", Line().left(40) + '\n' + Line(), false, 1, 1, false},
    {"BinaryJunk", kBinary + Line() + kBinary, false, 1, 2, false},
    {"CrLfAndBlankLines", Line().chopped(1) + "\r\n\n\n" + Line(), false, 2, 0, false},
    {"WrongFieldCount", Line().replace("\tkana\t", "\t") + Line(), false, 1, 1, false},
    {"MissesNotAsCounted", Line().replace("\t12\t2\t", "\t12\t3\t") + Line(), false, 1, 1, false},
    {"BadDate", Line().replace("2026-12-08", "2026-13-08") + Line(), false, 1, 1, false},
    {"BadEscape", Line().replace("%20", "%41") + Line(), false, 1, 1, false},
    {"CutEscape", Line().replace("%20:", "%2:") + Line(), false, 1, 1, false},
    {"InvalidUtf8", Line().replace("か", "\xE3\x81") + Line(), false, 1, 1, false},
    {"StartsMidLine", Line().mid(30) + Line(), true, 1, 0, false},
    {"StartsAtALineEnd", '\n' + Line(), true, 1, 0, false},
    {"NoLineEndAtAll", QByteArray(5000, 'x'), false, 0, 0, true},
};

INSTANTIATE_TEST_SUITE_P(Files, HistoryParseTest, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

class HistoryFileTest : public ::testing::Test {
  protected:
    QString Path() const { return dir_.filePath(u"kanoby-history.txt"_s); }
    void Write(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray Bytes() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
};

TEST_F(HistoryFileTest, AHugeFileIsReadFromItsNewestPart) {
    QByteArray bytes;
    for (int k = 0; k < 300; ++k)
        bytes += Line(k);
    Write(bytes);
    const qint64 cap = Line(299).size() * 100 + 7;  // a cut line first
    const History history = ReadHistory(Path(), cap);
    EXPECT_EQ(history.leftOutBytes, bytes.size() - cap);
    ASSERT_EQ(history.runs.size(), 100U);
    EXPECT_EQ(history.runs.front().questions, 200);
    EXPECT_EQ(history.runs.back().questions, 299);
    EXPECT_EQ(history.junkLines, 0);
    EXPECT_EQ(Bytes(), bytes);  // never rewritten
}

TEST_F(HistoryFileTest, MissesAreKeptForTheLastRunsAndEachListsLast) {
    QByteArray bytes = FormatRunLine(SampleRun(0, u"/other.txt"_s));
    for (int k = 1; k < 10; ++k)
        bytes += Line(k);
    Write(bytes);
    const History history = ReadHistory(Path(), kHistoryReadCap, 3);
    ASSERT_EQ(history.runs.size(), 10U);
    QString kept;
    for (const RunRecord& run : history.runs)
        kept += run.missList.empty() ? u'-' : u'M';
    EXPECT_EQ(kept, u"M------MMM"_s);
    EXPECT_EQ(history.runs[4].misses, 2);  // the figures stay
}

TEST_F(HistoryFileTest, AnAppendAfterACutLineStartsAFreshLine) {
    Write(Line(1) + Line(2).left(50));
    QString error;
    ASSERT_TRUE(AppendRun(Path(), SampleRun(3), &error)) << error.toStdString();
    const History history = ReadHistory(Path());
    ASSERT_EQ(history.runs.size(), 2U);
    EXPECT_EQ(history.runs.back().questions, 3);
    EXPECT_EQ(history.junkLines, 1);
    EXPECT_FALSE(history.cutLastLine);
    EXPECT_TRUE(Bytes().startsWith(Line(1) + Line(2).left(50) + '\n'));
}

TEST_F(HistoryFileTest, TwoWritersAtOnceBothGetStoredWhole) {
    constexpr int kEach = 60;
    const auto writer = [this](const int first) {
        for (int k = 0; k < kEach; ++k) {
            QString error;
            EXPECT_TRUE(AppendRun(Path(), SampleRun(first + k), &error)) << error.toStdString();
        }
    };
    std::thread a(writer, 0), b(writer, 1000);
    a.join();
    b.join();
    const History history = ReadHistory(Path());
    EXPECT_EQ(history.runs.size(), 2U * kEach);
    EXPECT_EQ(history.junkLines, 0);
    EXPECT_FALSE(history.cutLastLine);
}

}  // namespace
}  // namespace kanoby
