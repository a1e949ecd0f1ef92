// The run controller driven through the window: starting and stopping, the
// road of every keystroke, the end of a run and closing.
#include <QKeyEvent>
#include <QRadioButton>

#include "WindowTestSupport.h"

namespace kanoby::testing {
namespace {

enum Action { kClick, kPress, kHeld, kClose };  // kHeld: the key held down

struct StateRow {
    const char* typedFirst;  // nullptr: idle; else a run is started and these typed
    Action action;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* state;  // afterwards, as State() gives it
    int endDialogs;
    const char* focused = nullptr;  // the control that has the focus meanwhile
};

constexpr auto kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier, kNone = Qt::NoModifier;
constexpr const char16_t* kIdle = u"|0|スタート||";
constexpr const char16_t* kStarted = u"1|0|中断|犬|い ぬ i nu";
constexpr const char16_t* kAfterI = u"1|0|中断|犬|い ぬ i n u";
constexpr Qt::Key kNoKey = Qt::Key_unknown, kEnter = Qt::Key_Return;

// clang-format off
const StateRow kStateRows[] = {
    {nullptr, kClick, kNoKey, kNone, kStarted, 0}, {nullptr, kPress, kEnter, kNone, kStarted, 0},
    {nullptr, kPress, kEnter, kNone, kStarted, 0, "Command1"},  // toggles once, not twice
    {nullptr, kPress, Qt::Key_I, kNone, kIdle, 0}, {nullptr, kClose, kNoKey, kNone, kIdle, 0},
    {"i", kClick, kNoKey, kNone, kIdle, 1}, {"i", kPress, kEnter, kNone, kIdle, 1},
    {"i", kPress, Qt::Key_Enter, Qt::KeypadModifier, kIdle, 1}, {"i", kHeld, kEnter, kNone, kAfterI, 0},
    {"i", kPress, Qt::Key_F1, kNone, kAfterI, 0}, {"i", kPress, Qt::Key_N, kCtrl, kAfterI, 0},
    {"i", kPress, Qt::Key_Space, kNone, kAfterI, 0, "Command1"},  // a key of the reading, not a click
    {"i", kPress, Qt::Key_N, kNone, u"1|0|中断|犬|い ぬ in u", 0, "Option2"},
    {"i", kPress, Qt::Key_Space, kCtrl | kAlt, kAfterI, 0},
    {"in", kPress, Qt::Key_U, kNone, u"1|1|中断|猫|ね こ n eko", 0},
    {"inunek", kPress, Qt::Key_O, kNone, u"|1|スタート||", 1},
    {"i", kClose, kNoKey, kNone, kIdle, 1},
};
// clang-format on

TEST_F(WindowTest, EveryEventLeadsToItsNextState) {
    WriteWords(u"犬\nいぬ\n猫\nねこ"_s);
    for (const StateRow& row : kStateRows) {
        MainWindow& window = Open();
        SCOPED_TRACE(QString::fromUtf16(row.state).toStdString() + " " +
                     (row.focused ? row.focused : ""));
        QWidget* const focused =
            row.focused ? window.findChild<QWidget*>(QString::fromLatin1(row.focused)) : &window;
        focused->setFocus();
        if (row.typedFirst != nullptr) {
            Key(kEnter);
            focused->setFocus();
            Type(QString::fromLatin1(row.typedFirst));
        }
        EXPECT_EQ(EndDialogs([&] {
                      if (row.action == kClick)
                          QTest::mouseClick(window.Command1, Qt::LeftButton);
                      else if (row.action == kPress)
                          Key(row.key, row.modifiers);
                      else if (row.action == kClose)
                          window.close();
                      for (int i = 0; i < 3 && row.action == kHeld; ++i) {
                          QKeyEvent held(QEvent::KeyPress, row.key, kNone, 36, 0, 0, u"\r"_s, true);
                          QCoreApplication::sendEvent(window.windowHandle(), &held);
                      }
                  }),
                  row.endDialogs);
        EXPECT_EQ(State(), QString::fromUtf16(row.state));
        EXPECT_EQ(window.isVisible(), row.action != kClose);
        EXPECT_TRUE(window.Option1->isChecked());
        if (row.action == kClick || row.key == kEnter) {  // the window keeps the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            EXPECT_EQ(QApplication::focusWidget(), &window);
        }
        if (window.isVisible() && window.RunState().isEmpty()) {
            Key(kEnter);  // every run starts at the first question
            EXPECT_EQ(State(), kStarted);
        }
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace kanoby::testing
