// The figures of a run from scripted keys at times the test sets.
#include <gtest/gtest.h>

#include <functional>

#include "record/RunRecorder.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

struct ScriptedRun {
    const char* name;
    std::function<std::optional<RunRecord>(RunRecorder&)> script;
    bool stored;
    int questions, kana, keys, misses;
    qint64 typingMs;
    const char* kanaPerMinute;
    const char* keysPerMinute;
    const char* accuracy;
    const char* kanaCounts;
    const char* modeAndLastMiss;  // the mode, then question position kana key guide
};

class RunRecorderTest : public ::testing::TestWithParam<ScriptedRun> {};

TEST_P(RunRecorderTest, CountsAndTimesTheRun) {
    RunRecorder recorder;
    recorder.Begin(QDateTime::currentDateTime(), u"/l/word.txt"_s, RunKind::MissedQuestions);
    const std::optional<RunRecord> run = GetParam().script(recorder);
    ASSERT_EQ(run.has_value(), GetParam().stored);
    EXPECT_FALSE(recorder.Recording());
    if (!run)
        return;
    EXPECT_EQ(run->kind, RunKind::MissedQuestions);
    EXPECT_EQ(run->questions, GetParam().questions);
    EXPECT_EQ(run->kana, GetParam().kana);
    EXPECT_EQ(run->keys, GetParam().keys);
    EXPECT_EQ(run->misses, GetParam().misses);
    EXPECT_EQ(static_cast<int>(run->missList.size()), run->misses);
    EXPECT_EQ(run->typingMs, GetParam().typingMs);
    EXPECT_EQ(OneDecimal(KanaPerMinute(*run)), QString::fromUtf8(GetParam().kanaPerMinute));
    EXPECT_EQ(OneDecimal(KeysPerMinute(*run)), QString::fromUtf8(GetParam().keysPerMinute));
    EXPECT_EQ(OneDecimal(AccuracyPercent(*run)), QString::fromUtf8(GetParam().accuracy));
    QStringList counts;
    for (const KanaCount& count : run->kanaCounts)
        counts << count.kana + QString::number(count.count);
    EXPECT_EQ(counts.join(u' '), QString::fromUtf8(GetParam().kanaCounts));
    QString last = run->mode == RecordedMode::Kana ? u"kana"_s : u"romaji"_s;
    if (!run->missList.empty()) {
        const Miss& miss = run->missList.back();
        last += u" %1 %2 "_s.arg(miss.question).arg(miss.position) +
                QStringList{miss.kana, miss.key, miss.guide}.join(u' ');
    }
    EXPECT_EQ(last, QString::fromUtf8(GetParam().modeAndLastMiss));
}

// かき typed k(x)a k i with a miss at か; a pause of 5 s before く, typed k u;
// the run ends at a third question nobody touched.
std::optional<RunRecord> TwoQuestionsAndAPause(RunRecorder& r) {
    r.Question(0, u"かき"_s);
    r.Rejected(1000, 1, u"x"_s, u"a"_s);
    r.Accepted(1500, false);
    r.Accepted(2000, false);
    r.Accepted(2500, false);
    r.Accepted(3000, true);
    r.Question(1, u"く"_s);
    r.Accepted(8000, false);
    r.Accepted(8500, true);
    r.Question(2, u"け"_s);
    return r.End(20000, RecordedMode::Romaji, 1);
}

// あいう: あ typed, a miss at い, ended there; its time runs to the end.
std::optional<RunRecord> EndedMidQuestion(RunRecorder& r) {
    r.Question(4, u"あいう"_s);
    r.Accepted(100, false);
    r.Rejected(400, 2, u"o"_s, u"i"_s);
    r.Rejected(500, 2, u"p"_s, u"i"_s);
    return r.End(700, RecordedMode::Kana, 2);
}

const ScriptedRun kRuns[] = {
    {"TwoQuestionsAndAPause", TwoQuestionsAndAPause, true, 2, 3, 6, 1, 2500, "72.0", "144.0",
     "85.7", "か1 き1 く1", "romaji 0 1 か x a"},
    {"EndedMidQuestion", EndedMidQuestion, true, 0, 0, 1, 2, 600, "0.0", "100.0", "33.3", "あ1 い1",
     "kana 4 2 い p i"},
    {"OneKeyQuestionHasNoTime",
     [](RunRecorder& r) {
         r.Question(0, u"あ"_s);
         r.Accepted(100, true);
         return r.End(5000, RecordedMode::Romaji, 1);
     },
     true, 1, 1, 1, 0, 0, "", "", "100.0", "あ1", "romaji"},
    {"NoKeyIsNotStored",
     [](RunRecorder& r) {
         r.Question(0, u"あ"_s);
         return r.End(5000, RecordedMode::Romaji, 1);
     },
     false, 0, 0, 0, 0, 0, "", "", "", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Runs, RunRecorderTest, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kanoby
