// The settings menu item: the romaji settings dialog opens over the window in
// either run state, leaves the run and the guide on screen alone, and a saved
// choice shows from the next rebuild of the guide.
#include <QAction>
#include <QComboBox>

#include "WindowTestSupport.h"
#include "prefs/RomanSetting.h"

namespace kanoby::testing {
namespace {

using namespace Qt::StringLiterals;

enum class Close { Ok, Cancel };

struct MenuRow {
    const char* name;
    bool running;            // a run is started before the menu item
    const char* typedFirst;  // and these keys typed in it
    const char16_t* choice;  // the entry chosen for し
    Close closeBy;
    QStringList drawnAfter;  // the picture once the dialog has gone: unchanged
    const char* typedAfter;  // then these keys (Enter starts an idle run)
    QStringList drawnLast;
};

void PrintTo(const MenuRow& row, std::ostream* os) {
    *os << row.name;
}

// What the window looked like while the dialog was open.
struct DialogSeen {
    int count = 0;
    bool ownedByWindow = false;
    bool modal = false;
    bool okHadFocus = false;
    QString runState;
    QStringList drawn;
    QStringList drawnAfterKeyToWindow;
};

class SettingsMenuTest : public WindowTest, public ::testing::WithParamInterface<MenuRow> {
  protected:
    // Selects the menu item with a single-shot timer armed that inspects the
    // dialog, chooses `choice` for し and closes it as `closeBy` says.
    DialogSeen RunSettings(const char16_t* choice, Close closeBy) {
        DialogSeen seen;
        QObject timerContext;
        std::function<void()> work;
        work = [&] {
            auto* dialog = qobject_cast<RomanSetting*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                QTimer::singleShot(5, &timerContext, work);
                return;
            }
            ++seen.count;
            seen.ownedByWindow = dialog->parentWidget() == &Window();
            seen.modal = dialog->isModal();
            seen.okHadFocus = dialog->focusWidget() == dialog->findChild<QWidget*>(u"OKButton"_s);
            seen.runState = Window().RunState();
            seen.drawn = DrawnTexts();
            // The window takes no keys while the dialog is open.
            Type("s");
            seen.drawnAfterKeyToWindow = DrawnTexts();

            QComboBox* box = dialog->findChild<QComboBox*>(u"Combo1_3"_s);  // し
            box->setCurrentIndex(box->findText(QString::fromUtf16(choice)));
            const char16_t* button = closeBy == Close::Ok ? u"OKButton" : u"CancelButton";
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromUtf16(button)),
                              Qt::LeftButton);
        };
        QTimer::singleShot(0, &timerContext, work);
        Window().MenuRoma->trigger();
        return seen;
    }

    QByteArray IniBytes() const {
        QFile file(QDir(Dir()).filePath(u"Roman.ini"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_P(SettingsMenuTest, RunAndGuideStayUntilTheNextRebuild) {
    const MenuRow& row = GetParam();
    WriteWords({{u"詩詩"_s, u"しし"_s}});
    MainWindow& window = Open();
    if (row.running) {
        Key(Qt::Key_Return);
        Type(row.typedFirst);
    }
    const QStringList drawnBefore = DrawnTexts();

    const DialogSeen seen = RunSettings(row.choice, row.closeBy);

    EXPECT_EQ(seen.count, 1);
    EXPECT_TRUE(seen.ownedByWindow);
    EXPECT_TRUE(seen.modal);
    EXPECT_TRUE(seen.okHadFocus);
    EXPECT_EQ(seen.runState, row.running ? u"1"_s : QString());
    EXPECT_EQ(seen.drawn, drawnBefore);
    EXPECT_EQ(seen.drawnAfterKeyToWindow, drawnBefore);

    EXPECT_EQ(window.RunState(), row.running ? u"1"_s : QString());
    EXPECT_EQ(window.QuestionIndex(), 0);
    EXPECT_EQ(DrawnTexts(), row.drawnAfter);
    if (row.closeBy == Close::Ok) {
        EXPECT_EQ(Boxes().shown, QStringList{u"設定を保存しました"_s});
        const QString record = u"\"し\",\"%1\"\r\n"_s.arg(QString::fromUtf16(row.choice));
        EXPECT_TRUE(IniBytes().contains(EncodeCp932(record)));
    } else {
        EXPECT_TRUE(Boxes().shown.isEmpty());
        EXPECT_FALSE(QFile::exists(QDir(Dir()).filePath(u"Roman.ini"_s)));
    }

    if (!row.running)
        Key(Qt::Key_Return);
    Type(row.typedAfter);
    EXPECT_EQ(DrawnTexts(), row.drawnLast);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsMenuTest,
                         ::testing::Values(
                             // The guide built before the save still reads "sisi"; the next
                             // accepted key rebuilds it with "shi".
                             MenuRow{"SavedDuringARun",
                                     true,
                                     "",
                                     u"shi",
                                     Close::Ok,
                                     {u"し"_s, u"し"_s, u"s"_s, u"isi"_s},
                                     "s",
                                     {u"し"_s, u"し"_s, u"s"_s, u"h"_s, u"ishi"_s}},
                             MenuRow{"SavedInTheMiddleOfAKana",
                                     true,
                                     "s",
                                     u"shi",
                                     Close::Ok,
                                     {u"し"_s, u"し"_s, u"s"_s, u"i"_s, u"si"_s},
                                     "h",
                                     {u"し"_s, u"し"_s, u"sh"_s, u"i"_s, u"shi"_s}},
                             MenuRow{"CancelledDuringARun",
                                     true,
                                     "",
                                     u"shi",
                                     Close::Cancel,
                                     {u"し"_s, u"し"_s, u"s"_s, u"isi"_s},
                                     "s",
                                     {u"し"_s, u"し"_s, u"s"_s, u"i"_s, u"si"_s}},
                             MenuRow{"SavedWhileIdle",
                                     false,
                                     "",
                                     u"ci",
                                     Close::Ok,
                                     {},
                                     "",
                                     {u"し"_s, u"し"_s, u"c"_s, u"ici"_s}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kanoby::testing
