// The order of a run's questions, the lists opened lately, and what kanoby.ini keeps of the
// practice from one start to the next.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "files/PracticeOrder.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

struct FileOrderRow {
    const char* name;
    std::vector<bool> skipped;
    int lastCompleted;
    std::vector<int> asked;
};

const FileOrderRow kFileOrderRows[] = {
    {"from the first", {false, false, false, false}, -1, {0, 1, 2, 3}},
    {"after the last completed", {false, false, true, false}, 0, {1, 3}},
    {"past a skipped question", {false, false, true, false}, 1, {3}},
    {"wraps after the last", {false, false, true, false}, 3, {0, 1, 3}},
    {"wraps when only skipped ones follow", {false, false, false, true}, 2, {0, 1, 2}},
    {"the list has shrunk since", {false, false, false}, 7, {0, 1, 2}},
    {"nothing to ask", {true, true}, -1, {}},
};

std::vector<int> QuestionsOf(const std::vector<bool>& skipped, QuestionOrder order,
                             int lastCompleted, std::mt19937& random) {
    const std::unique_ptr<bool[]> flags(new bool[skipped.size() + 1]);
    std::copy(skipped.begin(), skipped.end(), flags.get());
    return RunQuestions(std::span<const bool>(flags.get(), skipped.size()), order, lastCompleted,
                        random);
}

TEST(PracticeOrderTest, FileOrderStartsAfterTheLastCompletedAndWraps) {
    std::mt19937 random(1);
    for (const FileOrderRow& row : kFileOrderRows)
        EXPECT_EQ(QuestionsOf(row.skipped, QuestionOrder::File, row.lastCompleted, random),
                  row.asked)
            << row.name;
}

// Every typeable question once, whatever was completed last; a new order each run.
TEST(PracticeOrderTest, RandomOrderIsANewPermutationOfTheTypeableQuestionsEachRun) {
    std::vector<bool> skipped(40, false);
    skipped[3] = skipped[17] = skipped[39] = true;
    std::vector<int> typeable;
    for (int k = 0; k < 40; ++k) {
        if (!skipped[static_cast<std::size_t>(k)])
            typeable.push_back(k);
    }
    std::mt19937 random(7);
    std::vector<int> previous;
    for (const int lastCompleted : {-1, 5, 38}) {
        std::vector<int> run = QuestionsOf(skipped, QuestionOrder::Random, lastCompleted, random);
        EXPECT_NE(run, previous);
        EXPECT_NE(run, typeable) << "not shuffled";
        previous = run;
        std::sort(run.begin(), run.end());
        EXPECT_EQ(run, typeable);
    }
}

TEST(PracticeOrderTest, RecentListsPutTheLatestFirstAndKeepEight) {
    const struct {
        QStringList recent;
        QString opened;
        QStringList after;
    } rows[] = {
        {{}, u"a"_s, {u"a"_s}},
        {{u"a"_s, u"b"_s, u"c"_s}, u"b"_s, {u"b"_s, u"a"_s, u"c"_s}},
        {u"1 2 3 4 5 6 7 8"_s.split(u' '), u"9"_s, u"9 1 2 3 4 5 6 7"_s.split(u' ')},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WithRecentList(row.recent, row.opened), row.after) << row.opened.toStdString();
}

// A fresh kanoby.ini holds the defaults; the order is there for the next start, and where a
// list was left off is kept for that list alone. (The window's tests keep the rest.)
TEST(PracticeOrderTest, ChoicesAreKeptPerListAcrossStarts) {
    const QTemporaryDir dir;
    {
        ProgramSettings settings(dir.path());
        PracticeChoices choices(settings);
        EXPECT_TRUE(choices.CurrentList().isEmpty() && choices.Order() == QuestionOrder::File &&
                    !choices.Resume() && !choices.KeepInputMode() &&
                    choices.LastInputMode() == InputMode::Romaji);
        QString error;
        EXPECT_TRUE(choices.SetOrder(QuestionOrder::Random, &error) &&
                    choices.SetLastCompleted(u"/a.txt"_s, 4, &error) &&
                    choices.SetLastCompleted(u"/b.txt"_s, 0, &error) &&
                    settings.SetValue(u"resume/"_s + ProgramSettings::KeyOf(u"/c.txt"_s), u"x"_s));
    }
    ProgramSettings settings(dir.path());
    const PracticeChoices again(settings);
    EXPECT_EQ(again.Order(), QuestionOrder::Random);
    EXPECT_EQ(again.LastCompleted(u"/a.txt"_s), 4);
    EXPECT_EQ(again.LastCompleted(u"/b.txt"_s), 0);
    EXPECT_EQ(again.LastCompleted(u"/c.txt"_s), -1);  // not a number
    EXPECT_EQ(again.LastCompleted(u"/d.txt"_s), -1);
}

}  // namespace
}  // namespace kanoby
