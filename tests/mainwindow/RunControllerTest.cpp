// The run controller driven through the window: starting and stopping, the
// road of every keystroke, the end of a run and closing.
#include <QKeyEvent>
#include <QRadioButton>

#include "WindowTestSupport.h"

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
    {"i", kPress, Qt::Key_N, kNone, u"1|0|中断|犬|い ぬ in u", 0},
    {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0},
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

}  // namespace
}  // namespace kanoby::testing
