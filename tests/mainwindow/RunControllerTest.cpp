// The run controller: start-up, starting and stopping, the road of every
// keystroke, the end of a run and closing, driven through the window.
#include <QGroupBox>
#include <QRadioButton>

#include "WindowTestSupport.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby::testing {
namespace {

const Words kTwoWords = {{u"犬"_qs, u"いぬ"_qs}, {u"猫"_qs, u"ねこ"_qs}};
const QString kMissingMessage = u"問題文ファイルが存在しません。処理続行不能！！"_qs;

QString Engine(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

enum class Action { ClickCommand1, PressEnter, PressKey, CloseWindow };

struct StateRow {
    const char* name;
    bool running;            // a run is started before the event
    const char* typedFirst;  // and these keys typed in it
    Action action;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    // After the event:
    const char16_t* runState;
    int endDialogs;
    int questionIndex;
    const char16_t* caption;
    const char16_t* label;
    QStringList drawn;
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
    if (row.running) {
        Key(Qt::Key_Return);
        Type(row.typedFirst);
    }
    const EndDialogSeen seen = ExpectingEndDialog([&] {
        switch (row.action) {
            case Action::ClickCommand1:
                QTest::mouseClick(window.Command1, Qt::LeftButton);
                break;
            case Action::PressEnter:
                Key(Qt::Key_Return);
                break;
            case Action::PressKey:
                Key(row.key, row.modifiers);
                break;
            case Action::CloseWindow:
                window.close();
                break;
        }
    });

    EXPECT_EQ(window.RunState(), QString::fromUtf16(row.runState));
    EXPECT_EQ(seen.count, row.endDialogs);
    EXPECT_EQ(window.QuestionIndex(), row.questionIndex);
    EXPECT_EQ(window.Command1->text(), QString::fromUtf16(row.caption));
    EXPECT_EQ(window.Label1->text(), QString::fromUtf16(row.label));
    EXPECT_EQ(DrawnTexts(), row.drawn);
    EXPECT_EQ(window.isVisible(), row.windowOpen);
    if (seen.count > 0) {
        // The run has ended before the dialog shows.
        EXPECT_EQ(seen.text, u"終了！"_qs);
        EXPECT_TRUE(seen.okHadFocus);
        EXPECT_TRUE(seen.ownerVisible);
        EXPECT_EQ(seen.ownerRunState, QString());
        EXPECT_EQ(seen.ownerLabel, QString());
        EXPECT_EQ(seen.ownerCaption, u"スタート"_qs);
        EXPECT_EQ(seen.ownerDrawnCount, 0);
    }
    if (row.action == Action::ClickCommand1 || row.action == Action::PressEnter) {
        // The window itself holds the focus, not the button; once the end
        // dialog has gone it is active again.
        EXPECT_EQ(window.focusWidget(), &window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(QApplication::focusWidget(), &window);
    }
}

const QStringList kStartPicture = {u"い"_qs, u"ぬ"_qs, u"i"_qs, u"nu"_qs};
const QStringList kAfterI = {u"い"_qs, u"ぬ"_qs, u"i"_qs, u"n"_qs, u"u"_qs};

INSTANTIATE_TEST_SUITE_P(RunController, RunStateTableTest,
                         ::testing::Values(StateRow{"IdleStartButtonStartsAtFirstQuestion",
                                                    false,
                                                    "",
                                                    Action::ClickCommand1,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"1",
                                                    0,
                                                    0,
                                                    u"中断",
                                                    u"犬",
                                                    kStartPicture,
                                                    true},
                                           StateRow{"IdleEnterStartsAtFirstQuestion",
                                                    false,
                                                    "",
                                                    Action::PressEnter,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"1",
                                                    0,
                                                    0,
                                                    u"中断",
                                                    u"犬",
                                                    kStartPicture,
                                                    true},
                                           StateRow{"IdleLetterIsIgnored",
                                                    false,
                                                    "",
                                                    Action::PressKey,
                                                    Qt::Key_I,
                                                    {},
                                                    u"",
                                                    0,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    true},
                                           StateRow{"IdleDigitIsIgnored",
                                                    false,
                                                    "",
                                                    Action::PressKey,
                                                    Qt::Key_1,
                                                    {},
                                                    u"",
                                                    0,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    true},
                                           StateRow{"RunningStartButtonEndsRun",
                                                    true,
                                                    "i",
                                                    Action::ClickCommand1,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"",
                                                    1,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    true},
                                           StateRow{"RunningEnterEndsRunMidReading",
                                                    true,
                                                    "i",
                                                    Action::PressEnter,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"",
                                                    1,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    true},
                                           StateRow{"RunningKeyNotInTableChangesNothing",
                                                    true,
                                                    "i",
                                                    Action::PressKey,
                                                    Qt::Key_F1,
                                                    {},
                                                    u"1",
                                                    0,
                                                    0,
                                                    u"中断",
                                                    u"犬",
                                                    kAfterI,
                                                    true},
                                           StateRow{"RunningRejectedKeyChangesNothing",
                                                    true,
                                                    "i",
                                                    Action::PressKey,
                                                    Qt::Key_K,
                                                    {},
                                                    u"1",
                                                    0,
                                                    0,
                                                    u"中断",
                                                    u"犬",
                                                    kAfterI,
                                                    true},
                                           StateRow{"RunningAcceptedKeyRedraws",
                                                    true,
                                                    "i",
                                                    Action::PressKey,
                                                    Qt::Key_N,
                                                    {},
                                                    u"1",
                                                    0,
                                                    0,
                                                    u"中断",
                                                    u"犬",
                                                    {u"い"_qs, u"ぬ"_qs, u"in"_qs, u"u"_qs},
                                                    true},
                                           StateRow{"RunningCompletedReadingShowsNextQuestion",
                                                    true,
                                                    "in",
                                                    Action::PressKey,
                                                    Qt::Key_U,
                                                    {},
                                                    u"1",
                                                    0,
                                                    1,
                                                    u"中断",
                                                    u"猫",
                                                    {u"ね"_qs, u"こ"_qs, u"n"_qs, u"eko"_qs},
                                                    true},
                                           StateRow{"RunningLastReadingCompletedEndsRun",
                                                    true,
                                                    "inunek",
                                                    Action::PressKey,
                                                    Qt::Key_O,
                                                    {},
                                                    u"",
                                                    1,
                                                    1,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    true},
                                           StateRow{"RunningWindowClosedEndsRunFirst",
                                                    true,
                                                    "i",
                                                    Action::CloseWindow,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"",
                                                    1,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    false},
                                           StateRow{"IdleWindowClosedAtOnce",
                                                    false,
                                                    "",
                                                    Action::CloseWindow,
                                                    Qt::Key_unknown,
                                                    {},
                                                    u"",
                                                    0,
                                                    0,
                                                    u"スタート",
                                                    u"",
                                                    {},
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, StartUpSelectsRomajiClearsTheDisplayAndIsIdle) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    EXPECT_TRUE(Boxes().shown.isEmpty());
    EXPECT_TRUE(window.Option1->isChecked());
    EXPECT_FALSE(window.Option2->isChecked());
    EXPECT_EQ(window.RunState(), QString());
    EXPECT_EQ(window.Label1->text(), QString());
    EXPECT_TRUE(window.Picture1->Drawn().isEmpty());
    EXPECT_EQ(window.Command1->text(), u"スタート"_qs);
    EXPECT_EQ(window.Questions().QuestionCount, 2);
}

TEST_F(WindowTest, StartUpAppliesRomanIniAfterBuildingTheTable) {
    WriteWords({{u"詩"_qs, u"し"_qs}});
    // Built the other way round, the table would forget the preference.
    WriteFile(Dir() + u"/Roman.ini"_qs, EncodeCp932(u"\"し\",\"shi\"\r\n"_qs));
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(Engine(window.TypingState().GuideText), u"shi"_qs);
}

TEST_F(WindowTest, EveryRunStartsAgainAtTheFirstQuestion) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    Type("inu");
    ASSERT_EQ(window.QuestionIndex(), 1);
    EXPECT_EQ(ExpectingEndDialog([&] { Key(Qt::Key_Return); }).count, 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(window.QuestionIndex(), 0);
    EXPECT_EQ(window.Label1->text(), u"犬"_qs);
}

TEST_F(WindowTest, EnterWithCommand1FocusedTogglesOnce) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    window.Command1->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(window.RunState(), u"1"_qs);
    window.Command1->setFocus();
    EXPECT_EQ(ExpectingEndDialog([&] { Key(Qt::Key_Enter, Qt::KeypadModifier); }).count, 1);
    EXPECT_EQ(window.RunState(), QString());
}

TEST_F(WindowTest, HeldEnterTogglesOnlyOnItsFirstKeyDown) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    SendKeyDown(Qt::Key_Return, Qt::NoModifier, 0, u"\r"_qs);
    const EndDialogSeen seen = ExpectingEndDialog([&] {
        for (int i = 0; i < 3; ++i) {
            SendKeyDown(Qt::Key_Return, Qt::NoModifier, 0, u"\r"_qs, true);
        }
    });
    EXPECT_EQ(seen.count, 0);
    EXPECT_EQ(window.RunState(), u"1"_qs);
}

TEST_F(WindowTest, SpaceWhileRunningIsJudgedAndNeverClicksTheFocusedButton) {
    WriteWords({{u"空白"_qs, u"い ぬ"_qs}, {u"猫"_qs, u"ねこ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    window.Command1->setFocus();
    Type("i");
    const EndDialogSeen seen = ExpectingEndDialog([&] { Key(Qt::Key_Space); });
    EXPECT_EQ(seen.count, 0);
    EXPECT_EQ(window.RunState(), u"1"_qs);
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), u"i "_qs);
    EXPECT_EQ(window.Command1->text(), u"中断"_qs);
}

TEST_F(WindowTest, SpaceThatEndsTheRunDoesNotStartItAgainOnRelease) {
    WriteWords({{u"空白"_qs, u"い "_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    window.Command1->setFocus();
    Type("i");
    window.Command1->setFocus();
    const EndDialogSeen seen = ExpectingEndDialog([&] { Key(Qt::Key_Space); });
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(window.RunState(), QString());
    EXPECT_EQ(window.Command1->text(), u"スタート"_qs);
}

TEST_F(WindowTest, KeysTypedForAReadingNeverChangeAFocusedOption) {
    WriteWords({{u"空白"_qs, u"い い"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    window.Option2->setFocus();  // space would select it
    Type("i");
    Key(Qt::Key_Space);
    EXPECT_TRUE(window.Option1->isChecked());
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), u"i "_qs);
}

struct ModifierRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const ModifierRow& row, std::ostream* os) {
    *os << row.name;
}

class ModifierKeyTest : public WindowTest, public ::testing::WithParamInterface<ModifierRow> {};

TEST_P(ModifierKeyTest, IsIgnoredWhileRunning) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    const QList<DrawnText> before = window.Picture1->Drawn();
    const std::u16string missBefore = window.TypingState().JudgeMiss;
    Key(GetParam().key, GetParam().modifiers);
    EXPECT_EQ(window.RunState(), u"1"_qs);
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), QString());
    EXPECT_EQ(window.TypingState().ReadPos, 1u);
    EXPECT_EQ(window.TypingState().JudgeMiss, missBefore);  // never reached a judge
    EXPECT_EQ(window.Picture1->Drawn(), before);
}

INSTANTIATE_TEST_SUITE_P(
    RunController, ModifierKeyTest,
    ::testing::Values(
        ModifierRow{"CtrlLetter", Qt::Key_I, Qt::ControlModifier},
        ModifierRow{"AltLetter", Qt::Key_I, Qt::AltModifier},
        ModifierRow{"CtrlShiftLetter", Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier},
        ModifierRow{"CtrlAltSpace", Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier},
        ModifierRow{"ShiftAlone", Qt::Key_Shift, Qt::ShiftModifier},
        ModifierRow{"ControlAlone", Qt::Key_Control, Qt::ControlModifier},
        ModifierRow{"AltAlone", Qt::Key_Alt, Qt::AltModifier}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, NativeScanCodeIsReadAsTheJisKeyAtThatPlace) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    // The I key (X 31) under a layout that calls it something else.
    SendKeyDown(Qt::Key_C, Qt::NoModifier, 31, u"c"_qs);
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), u"i"_qs);
}

TEST_F(WindowTest, SwitchingToKanaMidRunJudgesTheNextKeyAsKana) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    QTest::mouseClick(window.Option2, Qt::LeftButton, {}, QPoint(5, window.Option2->height() / 2));
    ASSERT_TRUE(window.Option2->isChecked());
    // The guide on screen stays the romaji one until a judge rebuilds it.
    EXPECT_EQ(DrawnTexts(), kStartPicture);
    Type("e");  // ｲ is on the E key
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), u"ｲ"_qs);
    EXPECT_EQ(DrawnTexts(), (QStringList{u"い"_qs, u"ぬ"_qs, u"ｲ"_qs, u"ﾇ"_qs}));
    Type("1");  // ﾇ
    EXPECT_EQ(window.QuestionIndex(), 1);
    // The next question's guide is built for kana input.
    EXPECT_EQ(Engine(window.TypingState().GuideText), u"ﾈｺ"_qs);
    // And back to romaji in the middle of it.
    QTest::mouseClick(window.Option1, Qt::LeftButton, {}, QPoint(5, window.Option1->height() / 2));
    Type("n");
    EXPECT_EQ(Engine(window.TypingState().TypedKeys), u"n"_qs);
    EXPECT_EQ(Engine(window.TypingState().GuideText), u"eko"_qs);
}

TEST_F(WindowTest, SingleQuestionRunEndsOnItsLastKeyWithoutDrawingIt) {
    WriteWords({{u"犬"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    Type("in");
    const int measuredBefore = window.Picture1->MeasureCount();
    const EndDialogSeen seen = ExpectingEndDialog([&] { Type("u"); });
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.ownerDrawnCount, 0);
    EXPECT_EQ(window.Picture1->MeasureCount(), measuredBefore);  // no DrawProgress
    EXPECT_EQ(window.RunState(), QString());
    EXPECT_EQ(window.Command1->text(), u"スタート"_qs);
}

TEST_F(WindowTest, MissingWordFileIsReportedAndStartBeginsAnEmptyRun) {
    MainWindow& window = Open();
    EXPECT_EQ(Boxes().shown, QStringList{kMissingMessage});
    EXPECT_EQ(window.Questions().QuestionCount, 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(window.RunState(), u"1"_qs);
    EXPECT_EQ(window.Label1->text(), QString());
    EXPECT_TRUE(window.Picture1->Drawn().isEmpty());
    // Nothing can complete an empty reading, in either mode.
    Type("aiueon -,.@[:;0123456789");
    window.Option2->setChecked(true);
    Type("aiueon -,.@[:;0123456789");
    EXPECT_EQ(window.RunState(), u"1"_qs);
    EXPECT_EQ(window.QuestionIndex(), 0);
    EXPECT_TRUE(window.Picture1->Drawn().isEmpty());
    EXPECT_EQ(ExpectingEndDialog([&] { Key(Qt::Key_Return); }).count, 1);
    EXPECT_EQ(Boxes().shown.size(), 1);  // word.txt is not read again
}

TEST_F(WindowTest, AFullFileOf1001QuestionsRunsToItsLastQuestion) {
    Words words;
    for (int i = 0; i < kMaxQuestions; ++i) {
        words.emplace_back(QString::number(i), u"あ"_qs);
    }
    WriteWords(words);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    for (int i = 0; i < kMaxQuestions - 1; ++i) {
        Type("a");
    }
    ASSERT_EQ(window.QuestionIndex(), 1000);
    EXPECT_EQ(window.Label1->text(), u"1000"_qs);
    EXPECT_EQ(ExpectingEndDialog([&] { Type("a"); }).count, 1);
    EXPECT_EQ(window.RunState(), QString());
}

TEST_F(WindowTest, VeryLongReadingIsShownAndTyped) {
    const QString reading(40000, QChar(u'あ'));
    WriteWords({{u"長い"_qs, reading}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    Type("aa");
    const QList<DrawnText>& drawn = window.Picture1->Drawn();
    ASSERT_EQ(drawn.size(), 6);
    EXPECT_EQ(drawn[0].text, u"ああ"_qs);
    EXPECT_EQ(drawn[2].text.size(), 39997);
    EXPECT_EQ(drawn[5].text.size(), 39997);
    EXPECT_EQ(window.TypingState().ReadPos, 3u);
}

TEST_F(WindowTest, EmptyReadingShowsTheDisplayTextAndDrawsNothing) {
    WriteWords({{u"読みなし"_qs, QString()}, {u"猫"_qs, u"ねこ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(window.Label1->text(), u"読みなし"_qs);
    EXPECT_TRUE(window.Picture1->Drawn().isEmpty());
    Type("neko ");
    EXPECT_EQ(window.QuestionIndex(), 0);
}

TEST_F(WindowTest, DisplayTextIsShownAsWrittenNotAsMarkup) {
    WriteWords({{u"<b>犬</b> & 猫"_qs, u"いぬ"_qs}});
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    EXPECT_EQ(window.Label1->text(), u"<b>犬</b> & 猫"_qs);
    EXPECT_EQ(window.Label1->textFormat(), Qt::PlainText);
}

TEST_F(WindowTest, MenuEndClosesTheWindowThroughFormUnload) {
    WriteWords(kTwoWords);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    const EndDialogSeen seen = ExpectingEndDialog([&] { window.MenuEnd->trigger(); });
    EXPECT_EQ(seen.count, 1);
    EXPECT_TRUE(seen.ownerVisible);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace kanoby::testing
