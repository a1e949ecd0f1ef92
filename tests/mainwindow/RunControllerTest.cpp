// The run controller: start-up, starting and stopping, the road of every
// keystroke, the end of a run and closing, driven through the window.
#include <QRadioButton>

#include "WindowTestSupport.h"

namespace kanoby::testing {

using namespace Qt::StringLiterals;
namespace {

const Words kTwoWords = {{u"犬"_s, u"いぬ"_s}, {u"猫"_s, u"ねこ"_s}};
const QString kRunStarted = u"1|0|中断|犬|い ぬ i nu"_s;

enum class Action { ClickCommand1, PressEnter, PressKey, CloseWindow };

struct StateRow {
    const char* name;
    const char* typedFirst;  // nullptr: idle; else a run is started and these keys typed
    Action action;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* state;  // afterwards, as State() gives it
    int endDialogs;
    bool windowOpen;
};

void PrintTo(const StateRow& row, std::ostream* os) {
    *os << row.name;
}

class RunStateTableTest : public WindowTest, public ::testing::WithParamInterface<StateRow> {};

TEST_P(RunStateTableTest, EventLeadsToItsNextState) {
    const StateRow& row = GetParam();
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    if (row.typedFirst != nullptr) {
        Key(Qt::Key_Return);
        Type(row.typedFirst);
    }
    const EndDialogSeen seen = ExpectingEndDialog([&] {
        switch (row.action) {
            case Action::ClickCommand1:
                return QTest::mouseClick(window.Command1, Qt::LeftButton);
            case Action::PressEnter:
                return Key(Qt::Key_Return);
            case Action::PressKey:
                return Key(row.key, row.modifiers);
            case Action::CloseWindow:
                window.close();
        }
    });
    EXPECT_EQ(State(), QString::fromUtf16(row.state));
    EXPECT_EQ(seen.count, row.endDialogs);
    if (seen.count > 0) {
        EXPECT_EQ(seen.looked, kEndDialogSeen);  // the run has ended before it shows
    }
    EXPECT_EQ(window.isVisible(), row.windowOpen);
    if (row.action == Action::ClickCommand1 || row.action == Action::PressEnter) {
        // The window itself holds the focus, not the button, and is active
        // again once the end dialog has gone.
        EXPECT_EQ(window.focusWidget(), &window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(QApplication::focusWidget(), &window);
    }
    if (row.windowOpen && window.RunState().isEmpty()) {
        Key(Qt::Key_Return);  // every run starts at the first question
        EXPECT_EQ(State(), kRunStarted);
    }
}

constexpr auto kClick = Action::ClickCommand1, kEnter = Action::PressEnter,
               kPress = Action::PressKey, kClose = Action::CloseWindow;
constexpr auto kNoKey = Qt::Key_unknown;
constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier, kCtrl = Qt::ControlModifier,
                                kAlt = Qt::AltModifier, kShift = Qt::ShiftModifier;
constexpr const char16_t* kIdle = u"|0|スタート||";
constexpr const char16_t* kAfterI = u"1|0|中断|犬|い ぬ i n u";

// clang-format off
INSTANTIATE_TEST_SUITE_P(RunController, RunStateTableTest, ::testing::Values(
    StateRow{"IdleStartButtonStartsAtFirstQuestion", nullptr, kClick, kNoKey, kPlain, u"1|0|中断|犬|い ぬ i nu", 0, true},
    StateRow{"IdleEnterStartsAtFirstQuestion", nullptr, kEnter, kNoKey, kPlain, u"1|0|中断|犬|い ぬ i nu", 0, true},
    StateRow{"IdleLetterIsIgnored", nullptr, kPress, Qt::Key_I, kPlain, kIdle, 0, true},
    StateRow{"IdleDigitIsIgnored", nullptr, kPress, Qt::Key_1, kPlain, kIdle, 0, true},
    StateRow{"IdleWindowClosedAtOnce", nullptr, kClose, kNoKey, kPlain, kIdle, 0, false},
    StateRow{"RunningStartButtonEndsRun", "i", kClick, kNoKey, kPlain, kIdle, 1, true},
    StateRow{"RunningEnterEndsRunMidReading", "i", kEnter, kNoKey, kPlain, kIdle, 1, true},
    StateRow{"RunningKeyNotInTableChangesNothing", "i", kPress, Qt::Key_F1, kPlain, kAfterI, 0, true},
    StateRow{"RunningRejectedKeyChangesNothing", "i", kPress, Qt::Key_K, kPlain, kAfterI, 0, true},
    StateRow{"RunningAcceptedKeyRedraws", "i", kPress, Qt::Key_N, kPlain, u"1|0|中断|犬|い ぬ in u", 0, true},
    // Ctrl or Alt with the very key that would be accepted, or alone: ignored.
    StateRow{"RunningCtrlLetterIsIgnored", "i", kPress, Qt::Key_N, kCtrl, kAfterI, 0, true},
    StateRow{"RunningAltLetterIsIgnored", "i", kPress, Qt::Key_N, kAlt, kAfterI, 0, true},
    StateRow{"RunningCtrlAltSpaceIsIgnored", "i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0, true},
    StateRow{"RunningShiftAloneIsIgnored", "i", kPress, Qt::Key_Shift, kShift, kAfterI, 0, true},
    StateRow{"RunningCtrlAloneIsIgnored", "i", kPress, Qt::Key_Control, kCtrl, kAfterI, 0, true},
    StateRow{"RunningAltAloneIsIgnored", "i", kPress, Qt::Key_Alt, kAlt, kAfterI, 0, true},
    StateRow{"RunningCompletedReadingShowsNextQuestion", "in", kPress, Qt::Key_U, kPlain, u"1|1|中断|猫|ね こ n eko", 0, true},
    StateRow{"RunningLastReadingCompletedEndsRun", "inunek", kPress, Qt::Key_O, kPlain, u"|1|スタート||", 1, true},
    StateRow{"RunningWindowClosedEndsRunFirst", "i", kClose, kNoKey, kPlain, kIdle, 1, false}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(WindowTest, StartUpAppliesRomanIniAfterBuildingTheTableAndIsIdleInRomaji) {
    WriteWords({{u"詩"_s, u"し"_s}});
    // Built the other way round, the table would forget the preference.
    WriteFile(u"Roman.ini"_s, EncodeCp932(u"\"し\",\"shi\"\r\n"_s));
    MainWindow& window = Open();
    EXPECT_TRUE(Boxes().shown.isEmpty());
    EXPECT_TRUE(window.Option1->isChecked() && !window.Option2->isChecked());
    EXPECT_EQ(State(), u"|0|スタート||"_s);
    Key(Qt::Key_Return);
    EXPECT_EQ(GuideText(), u"shi"_s);
}

TEST_F(WindowTest, EnterWithCommand1FocusedTogglesOnceAndHeldEnterNotAgain) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    window.Command1->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(window.RunState(), u"1"_s);
    window.Command1->setFocus();
    EXPECT_EQ(ExpectingEndDialog([&] {
                  for (int i = 0; i < 3; ++i) {
                      SendKeyDown(Qt::Key_Return, 0, u"\r"_s, true);
                  }
              }).count,
              0);
    EXPECT_EQ(ExpectingEndDialog([&] { Key(Qt::Key_Enter, Qt::KeypadModifier); }).count, 1);
    EXPECT_EQ(window.RunState(), QString());
}

struct FocusRow {
    const char* name;
    const char16_t* reading;  // the only question's
    const char* focused;      // the control with the focus while typing
    int endDialogs;           // after "i" and the space bar
};

void PrintTo(const FocusRow& row, std::ostream* os) {
    *os << row.name;
}

class FocusedControlTest : public WindowTest, public ::testing::WithParamInterface<FocusRow> {};

// The space bar is judged and never also clicks a focused button or selects
// a focused option: a reading with a space would otherwise stop the run.
TEST_P(FocusedControlTest, KeysTypedForAReadingNeverReachIt) {
    const FocusRow& row = GetParam();
    WriteWords({{u"空白"_s, QString::fromUtf16(row.reading)}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    window.findChild<QWidget*>(QString::fromLatin1(row.focused))->setFocus();
    Type("i");
    const EndDialogSeen seen = ExpectingEndDialog([&] { Key(Qt::Key_Space); });
    EXPECT_EQ(seen.count, row.endDialogs);
    EXPECT_EQ(State(),
              row.endDialogs == 0 ? u"1|0|中断|空白|い  ぬ i  n u"_s : u"|0|スタート||"_s);
    EXPECT_TRUE(window.Option1->isChecked());
}

INSTANTIATE_TEST_SUITE_P(RunController, FocusedControlTest,
                         ::testing::Values(FocusRow{"SpaceOnCommand1", u"い ぬ", "Command1", 0},
                                           FocusRow{"SpaceOnOption2", u"い ぬ", "Option2", 0},
                                           // Its release must not start a run again.
                                           FocusRow{"SpaceEndingTheRunOnCommand1", u"い ",
                                                    "Command1", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, SwitchingInputModeMidRunJudgesTheNextKeyInTheNewMode) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    QTest::mouseClick(window.Option2, Qt::LeftButton, {}, QPoint(5, window.Option2->height() / 2));
    ASSERT_TRUE(window.Option2->isChecked());
    // The guide on screen stays the romaji one until a judge rebuilds it.
    EXPECT_EQ(State(), kRunStarted);
    Type("e");  // ｲ is on the E key
    EXPECT_EQ(DrawnTexts(), (QStringList{u"い"_s, u"ぬ"_s, u"ｲ"_s, u"ﾇ"_s}));
    Type("1");  // ﾇ
    EXPECT_EQ(window.QuestionIndex(), 1);
    EXPECT_EQ(GuideText(), u"ﾈｺ"_s);  // the next guide is built for kana
    QTest::mouseClick(window.Option1, Qt::LeftButton, {}, QPoint(5, window.Option1->height() / 2));
    Type("n");
    EXPECT_EQ(TypedKeys(), u"n"_s);
    EXPECT_EQ(GuideText(), u"eko"_s);
}

TEST_F(WindowTest, SingleQuestionRunEndsOnItsLastKeyWithoutDrawingIt) {
    WriteWords({{u"犬"_s, u"いぬ"_s}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    Type("in");
    const int measuredBefore = window.Picture1->MeasureCount();
    const EndDialogSeen seen = ExpectingEndDialog([&] { Type("u"); });
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.looked, kEndDialogSeen);
    EXPECT_EQ(window.Picture1->MeasureCount(), measuredBefore);  // no DrawProgress
}

TEST_F(WindowTest, MissingWordFileIsReportedAndStartBeginsAnEmptyRun) {
    MainWindow& window = Open();
    EXPECT_EQ(Boxes().shown, QStringList{u"問題文ファイルが存在しません。処理続行不能！！"_s});
    Key(Qt::Key_Return);
    // Nothing can complete an empty reading, in either mode.
    Type("aiueon -,.@[:;0123456789");
    window.Option2->setChecked(true);
    Type("aiueon -,.@[:;0123456789");
    EXPECT_EQ(State(), u"1|0|中断||"_s);
    EXPECT_EQ(ExpectingEndDialog([&] { Key(Qt::Key_Return); }).count, 1);
    EXPECT_EQ(Boxes().shown.size(), 1);  // word.txt is not read again
}

TEST_F(WindowTest, DisplayTextIsShownAsWrittenNotAsMarkup) {
    WriteWords({{u"<b>犬</b> & 猫"_s, u"いぬ"_s}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(window.Label1->text(), u"<b>犬</b> & 猫"_s);
    EXPECT_EQ(window.Label1->textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace kanoby::testing
