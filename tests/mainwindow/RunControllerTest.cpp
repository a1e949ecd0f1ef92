// The run controller driven through the window: start-up, starting and
// stopping, the road of every keystroke, the end of a run and closing.
#include <QComboBox>
#include <QKeyEvent>
#include <QRadioButton>

#include "WindowTestSupport.h"
#include "prefs/RomanSetting.h"

namespace kanoby::testing {
namespace {

enum Action { kClick, kEnter, kPress, kClose };

struct StateRow {
    const char* typedFirst;  // nullptr: idle; else a run is started and these typed
    Action action;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* state;  // afterwards, as State() gives it
    int endDialogs;
};

constexpr auto kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier, kNone = Qt::NoModifier;
constexpr const char16_t* kIdle = u"|0|スタート||";
constexpr const char16_t* kAfterI = u"1|0|中断|犬|い ぬ i n u";

// clang-format off
const StateRow kStateRows[] = {
    {nullptr, kClick, Qt::Key_unknown, kNone, u"1|0|中断|犬|い ぬ i nu", 0},
    {nullptr, kEnter, Qt::Key_unknown, kNone, u"1|0|中断|犬|い ぬ i nu", 0},
    {nullptr, kPress, Qt::Key_I, kNone, kIdle, 0},
    {nullptr, kClose, Qt::Key_unknown, kNone, kIdle, 0},
    {"i", kClick, Qt::Key_unknown, kNone, kIdle, 1},
    {"i", kEnter, Qt::Key_unknown, kNone, kIdle, 1},
    {"i", kPress, Qt::Key_F1, kNone, kAfterI, 0},
    {"i", kPress, Qt::Key_K, kNone, kAfterI, 0},
    {"i", kPress, Qt::Key_N, kNone, u"1|0|中断|犬|い ぬ in u", 0},
    {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0},
    {"i", kPress, Qt::Key_Alt, kAlt, kAfterI, 0},
    {"in", kPress, Qt::Key_U, kNone, u"1|1|中断|猫|ね こ n eko", 0},
    {"inunek", kPress, Qt::Key_O, kNone, u"|1|スタート||", 1},
    {"i", kClose, Qt::Key_unknown, kNone, kIdle, 1},
};
// clang-format on

TEST_F(WindowTest, EveryEventLeadsToItsNextState) {
    WriteWords(u"犬\nいぬ\n猫\nねこ"_s);
    for (const StateRow& row : kStateRows) {
        MainWindow& window = Open();
        SCOPED_TRACE(QString::fromUtf16(row.state).toStdString());
        if (row.typedFirst != nullptr) {
            Key(Qt::Key_Return);
            Type(QString::fromLatin1(row.typedFirst));
        }
        EXPECT_EQ(EndDialogs([&] {
                      if (row.action == kClick)
                          QTest::mouseClick(window.Command1, Qt::LeftButton);
                      else if (row.action == kEnter)
                          Key(Qt::Key_Return);
                      else if (row.action == kPress)
                          Key(row.key, row.modifiers);
                      else
                          window.close();
                  }),
                  row.endDialogs);
        EXPECT_EQ(State(), QString::fromUtf16(row.state));
        EXPECT_EQ(window.isVisible(), row.action != kClose);
        if (row.action == kClick || row.action == kEnter) {  // the window keeps the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            EXPECT_EQ(QApplication::focusWidget(), &window);
        }
        if (window.isVisible() && window.RunState().isEmpty()) {
            Key(Qt::Key_Return);  // every run starts at the first question
            EXPECT_EQ(State(), u"1|0|中断|犬|い ぬ i nu"_s);
        }
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(WindowTest, EnterTogglesOnceAndKeysForTheReadingNeverPressAButton) {
    WriteWords(u"空白\nい ぬ"_s);
    MainWindow& window = Open();
    window.Command1->setFocus();
    Key(Qt::Key_Return);
    window.Command1->setFocus();
    Type(u"i"_s);
    Key(Qt::Key_Space);
    window.Option2->setFocus();
    Type(u"n"_s);
    EXPECT_EQ(State(), u"1|0|中断|空白|い  ぬ i n u"_s);
    EXPECT_TRUE(window.Option1->isChecked());
    for (int i = 0; i < 3; ++i) {  // a held Enter
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, kNone, 36, 0, 0, u"\r"_s, true);
        QCoreApplication::sendEvent(window.windowHandle(), &held);
    }
    EXPECT_EQ(window.RunState(), u"1"_s);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Enter, Qt::KeypadModifier); }), 1);
}

TEST_F(WindowTest, TheModeSwitchedMidRunJudgesTheNextKey) {
    WriteWords(u"犬\nいぬ\n猫\nねこ"_s);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    QTest::mouseClick(window.Option2, Qt::LeftButton, {}, QPoint(5, window.Option2->height() / 2));
    EXPECT_EQ(State(), u"1|0|中断|犬|い ぬ i nu"_s);  // the guide waits for the next key
    Type(u"e1"_s);                                    // ｲ ﾇ
    EXPECT_EQ(State(), u"1|1|中断|猫|ね こ ﾈ ｺ"_s);
    window.Option1->setChecked(true);
    Type(u"n"_s);
    EXPECT_EQ(State(), u"1|1|中断|猫|ね こ n e ko"_s);
}

TEST_F(WindowTest, StartUpAppliesRomanIniAndNamesWhatCannotBeRead) {
    WriteWords(u"詩\nし\n今日は\nきょうは\n字\nじ字\nー\nｶ"_s);
    WriteFile(u"Roman.ini"_s, EncodeCp932(u"\"し\",\"shi\"\r\n"_s));
    MainWindow& window = Open();
    EXPECT_EQ(boxes.shown,
              QStringList{u"問題文ファイルの6行目の読みに入力できない文字があります。"_s});
    EXPECT_TRUE(window.Option1->isChecked());
    EXPECT_EQ(State(), kIdle);
    Key(Qt::Key_Return);
    EXPECT_EQ(State(), u"1|0|中断|詩|し s hi"_s);
}

TEST_F(WindowTest, MissingWordTxtLeavesAnEmptyRunThatOnlyStops) {
    MainWindow& window = Open();
    EXPECT_EQ(boxes.shown, QStringList{u"問題文ファイルが存在しません。処理続行不能！！"_s});
    Key(Qt::Key_Return);
    Type(u"aiueon -,.@[:;0123456789"_s);
    window.Option2->setChecked(true);
    Type(u"aiueon -,.@[:;0123456789"_s);
    EXPECT_EQ(State(), u"1|0|中断||"_s);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 1);
    EXPECT_EQ(boxes.shown.size(), 1);  // word.txt is not read again
}

// The dialog opens over the window in either run state and leaves the run
// and the guide on screen alone; a saved choice shows from the next rebuild.
TEST_F(WindowTest, SettingsSavedMidRunShowFromTheNextKey) {
    WriteWords(u"<b>詩</b>\nしし"_s);
    MainWindow& window = Open();
    Key(Qt::Key_Return);
    for (const char* button : {"CancelButton", "OKButton"}) {
        WithModal<RomanSetting>(
            [&](RomanSetting& dialog) {
                Type(u"s"_s);  // the window takes no keys meanwhile
                dialog.findChild<QComboBox*>(u"Combo1_3"_s)->setCurrentIndex(1);  // し: shi
                QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)),
                                  Qt::LeftButton);
            },
            [&] { window.MenuRoma->trigger(); });
        EXPECT_EQ(State(), u"1|0|中断|<b>詩</b>|し し s isi"_s);
    }
    EXPECT_EQ(boxes.shown, QStringList{u"設定を保存しました"_s});
    Type(u"s"_s);
    EXPECT_EQ(State(), u"1|0|中断|<b>詩</b>|し し s h ishi"_s);
    EXPECT_EQ(window.Label1->textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace kanoby::testing
