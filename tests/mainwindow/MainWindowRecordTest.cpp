// The main window's record: runs stored when they end with the time its clock
// gives, the opt-in miss line and question count, the missed-question run,
// and a failed store told once.
#include <QAction>
#include <QDir>

#include "WindowTestSupport.h"
#include "record/HistoryFile.h"

namespace kanoby::testing {
namespace {

TEST_F(WindowTest, StoresRunsShowsMissesOnRequestAndPractisesTheMissed) {
    WriteWords(u"蚊\nか\n木\nき\n"_s);
    MainWindow* window = &Open();
    qint64 now = 0;
    window->SetClock([&now] { return now; });
    EXPECT_FALSE(window->practiseMissedAction->isEnabled());
    EXPECT_FALSE(window->showMissedKeyAction->isChecked());
    window->showMissedKeyAction->trigger();
    window->showProgressAction->trigger();

    Key(Qt::Key_Return);
    EXPECT_EQ(window->progressCount->text(), u"1 / 2"_s);
    const QString before = State();
    now = 1000;
    Type(u"x"_s);
    EXPECT_EQ(State(), before);  // the picture never changes on a rejected key
    EXPECT_TRUE(window->missedKeyLine->isVisible());
    EXPECT_EQ(window->missedKeyLine->text(), u"「x」→ か は ka / ca"_s);
    now = 1500;
    Type(u"k"_s);
    EXPECT_FALSE(window->missedKeyLine->isVisible());
    now = 2000;
    Type(u"a"_s);
    EXPECT_EQ(window->progressCount->text(), u"2 / 2"_s);
    EXPECT_EQ(EndDialogs([&] {
                  now = 9000;
                  Type(u"k"_s);
                  now = 9400;
                  Type(u"i"_s);
              }),
              1);
    EXPECT_FALSE(window->progressCount->isVisible());

    History history = ReadHistory(window->HistoryPath());
    ASSERT_EQ(history.runs.size(), 1U);
    const RunRecord& run = history.runs[0];
    EXPECT_EQ(run.list, window->CurrentListPath());
    EXPECT_EQ(QList<qint64>({run.questions, run.kana, run.keys, run.misses, run.typingMs}),
              QList<qint64>({2, 2, 4, 1, 1400}));

    // The missed-question run asks 蚊 only, and is marked as such.
    ASSERT_TRUE(window->practiseMissedAction->isEnabled());
    window->practiseMissedAction->trigger();
    EXPECT_EQ(window->questionLabel->text(), u"蚊"_s);
    EXPECT_EQ(window->progressCount->text(), u"1 / 1"_s);
    EXPECT_EQ(EndDialogs([&] { Type(u"ka"_s); }), 1);
    history = ReadHistory(window->HistoryPath());
    ASSERT_EQ(history.runs.size(), 2U);
    EXPECT_EQ(history.runs[1].kind, RunKind::MissedQuestions);
    EXPECT_EQ(history.runs[1].questions, 1);
    EXPECT_FALSE(window->practiseMissedAction->isEnabled());

    // The view's choices are remembered; a store that fails is told once.
    window = &Open();
    EXPECT_TRUE(window->showMissedKeyAction->isChecked());
    EXPECT_TRUE(window->showProgressAction->isChecked());
    ASSERT_TRUE(QFile::remove(window->HistoryPath()));
    ASSERT_TRUE(QDir(Dir()).mkdir(QFileInfo(window->HistoryPath()).fileName()));
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(EndDialogs([&] {
                      Key(Qt::Key_Return);
                      Type(u"k"_s);
                      Key(Qt::Key_Return);
                  }),
                  1);
    }
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].startsWith(u"記録を保存できませんでした："_s));
}

}  // namespace
}  // namespace kanoby::testing
