// The CSV export's bytes, the weak-kana ranking and the questions a
// missed-question run asks.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "record/HistoryReport.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

RunRecord MakeRun(const QString& list, const int keys, const int misses, const qint64 ms,
                  std::vector<Miss> missList = {}, std::vector<KanaCount> counts = {}) {
    RunRecord run;
    run.started = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::OffsetFromUTC, -5 * 3600);
    run.list = list;
    run.questions = 3;
    run.kana = 21;
    run.keys = keys;
    run.misses = misses;
    run.typingMs = ms;
    run.missList = std::move(missList);
    run.kanaCounts = std::move(counts);
    return run;
}

TEST(HistoryCsv, HasTheColumnsQuotingAndLineEndsSpreadsheetsRead) {
    History history;
    history.runs.push_back(MakeRun(u"/w/word.txt"_s, 30, 2, 15000));
    history.runs.push_back(MakeRun(u"/w/a,\"b\".txt"_s, 1, 0, 0));
    history.runs.back().mode = RecordedMode::Kana;
    EXPECT_EQ(HistoryCsv(history),
              "\xEF\xBB\xBF"
              "started,list,mode,questions,kana,keys,misses,seconds,kana_per_min,keys_per_min,"
              "accuracy\r\n"
              "2026-01-02T03:04:05-05:00,word.txt,romaji,3,21,30,2,15.000,84.0,120.0,93.8\r\n"
              "2026-01-02T03:04:05-05:00,\"a,\"\"b\"\".txt\",kana,3,21,1,0,0.000,,,100.0\r\n");
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"out.csv"_s);
    QString error;
    ASSERT_TRUE(ExportHistory(history, path, &error));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), HistoryCsv(history));
    EXPECT_FALSE(ExportHistory(history, dir.filePath(u"none/out.csv"_s), &error));
    EXPECT_TRUE(error.contains(u"out.csv"_s)) << error.toStdString();
}

Miss At(const int question, const int position, const char16_t* kana, const char16_t* key) {
    return Miss{question, position, QString::fromUtf16(kana), QString::fromUtf16(key), {}};
}

struct RankingCase {
    const char* name;
    std::vector<RunRecord> runs;
    const char* expected;  // kana misses missed-times/times keys; …
};

class WeakKanaTest : public ::testing::TestWithParam<RankingCase> {};

TEST_P(WeakKanaTest, RanksByMissesThenRate) {
    std::vector<const RunRecord*> runs;
    for (const RunRecord& run : GetParam().runs)
        runs.push_back(&run);
    QStringList ranked;
    for (const WeakKana& weak : RankWeakKana(runs, 3)) {
        ranked << u"%1 %2 %3/%4 %5"_s.arg(weak.kana)
                      .arg(weak.misses)
                      .arg(weak.missedTimes)
                      .arg(weak.times)
                      .arg(weak.insteadKeys.join(u','));
    }
    EXPECT_EQ(ranked.join(u"; "_s), QString::fromUtf8(GetParam().expected));
}

const RankingCase kRankings[] = {
    {"NoMisses", {MakeRun(u"l"_s, 5, 0, 1000, {}, {{u"か"_s, 5}})}, ""},
    // Three misses at one place count once toward the rate; keys by frequency.
    {"SamePlaceCountsOnce",
     {MakeRun(u"l"_s, 5, 4, 1000,
              {At(0, 1, u"し", u"c"), At(0, 1, u"し", u"x"), At(0, 1, u"し", u"x"),
               At(1, 2, u"つ", u"y")},
              {{u"し"_s, 4}, {u"つ"_s, 1}})},
     "し 3 1/4 x,c; つ 1 1/1 y"},
    // Equal misses: the higher rate first; past the limit the rest is left out.
    {"TiesAndLimit",
     {MakeRun(u"l"_s, 9, 2, 1000, {At(0, 1, u"あ", u"q"), At(0, 2, u"い", u"q")},
              {{u"あ"_s, 10}, {u"い"_s, 2}}),
      MakeRun(u"l"_s, 9, 3, 1000,
              {At(0, 1, u"う", u"q"), At(0, 2, u"え", u"q"), At(0, 3, u"お", u"q")},
              {{u"う"_s, 1}, {u"え"_s, 1}, {u"お"_s, 1}})},
     "う 1 1/1 q; え 1 1/1 q; お 1 1/1 q"},
    // A place where the run ended is reached, though not typed to its end.
    {"EndedAtTheMiss", {MakeRun(u"l"_s, 0, 1, 0, {At(0, 1, u"ぬ", u" ")})}, "ぬ 1 1/1  "},
};

INSTANTIATE_TEST_SUITE_P(Rankings, WeakKanaTest, ::testing::ValuesIn(kRankings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MissedQuestions, AreThoseOfTheListsLastRun) {
    History history;
    history.runs.push_back(
        MakeRun(u"a"_s, 1, 2, 1, {At(0, 1, u"あ", u"x"), At(5, 1, u"あ", u"x")}));
    history.runs.push_back(
        MakeRun(u"a"_s, 1, 2, 1, {At(4, 1, u"あ", u"x"), At(2, 1, u"あ", u"x")}));
    history.runs.push_back(MakeRun(u"b"_s, 1, 1, 1, {At(9, 1, u"あ", u"x")}));
    EXPECT_EQ(MissedQuestions(history, u"a"_s), (std::set<int>{2, 4}));
    EXPECT_EQ(MissedQuestions(history, u"c"_s), std::set<int>{});
    history.runs.push_back(MakeRun(u"a"_s, 1, 0, 1));
    EXPECT_EQ(MissedQuestions(history, u"a"_s), std::set<int>{});
    EXPECT_EQ(RunsOf(history, u"a"_s).size(), 3U);
    EXPECT_EQ(RunsOf(history, {}).size(), 4U);
}

}  // namespace
}  // namespace kanoby
