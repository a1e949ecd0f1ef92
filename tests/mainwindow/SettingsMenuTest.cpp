// The settings menu item: the romaji settings dialog opens over the window in
// either run state, leaves the run and the guide on screen alone, and a saved
// choice shows from the next rebuild of the guide.
#include <QComboBox>
#include <QDir>

#include "WindowTestSupport.h"
#include "prefs/RomanSetting.h"

namespace kanoby::testing {

using namespace Qt::StringLiterals;
namespace {

struct MenuRow {
    const char* name;
    const char* typedFirst;  // nullptr: idle; else a run is started and these keys typed
    const char16_t* choice;  // the entry chosen for し
    bool ok;                 // closed with OK, else with Cancel
    const char* typedAfter;  // once it has gone, these keys (Enter first when idle)
    const char16_t* shown;   // then what Picture1 shows
};

void PrintTo(const MenuRow& row, std::ostream* os) {
    *os << row.name;
}

class SettingsMenuTest : public WindowTest, public ::testing::WithParamInterface<MenuRow> {};

TEST_P(SettingsMenuTest, RunAndGuideStayUntilTheNextRebuild) {
    const MenuRow& row = GetParam();
    WriteWords({{u"詩詩"_s, u"しし"_s}});
    MainWindow& window = Open();
    if (row.typedFirst != nullptr) {
        Key(Qt::Key_Return);
        Type(row.typedFirst);
    }
    const QString before = State();

    int opened = 0;
    WithModal<RomanSetting>(
        [&](RomanSetting& dialog) {
            ++opened;
            EXPECT_EQ(dialog.parentWidget(), &window);
            EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QWidget*>(u"OKButton"_s));
            Type("s");  // the window takes no keys while the dialog is open
            EXPECT_EQ(State(), before);
            auto* box = dialog.findChild<QComboBox*>(u"Combo1_3"_s);  // し
            box->setCurrentIndex(box->findText(QString::fromUtf16(row.choice)));
            QTest::mouseClick(
                dialog.findChild<QPushButton*>(row.ok ? u"OKButton"_s : u"CancelButton"_s),
                Qt::LeftButton);
        },
        [&] { window.MenuRoma->trigger(); });

    EXPECT_EQ(opened, 1);
    EXPECT_EQ(State(), before);  // the run and the guide on screen as they were
    QFile ini(QDir(Dir()).filePath(u"Roman.ini"_s));
    if (row.ok) {
        EXPECT_EQ(Boxes().shown, QStringList{u"設定を保存しました"_s});
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        const QString record = u"\"し\",\"%1\"\r\n"_s.arg(QString::fromUtf16(row.choice));
        EXPECT_TRUE(ini.readAll().contains(EncodeCp932(record)));
    } else {
        EXPECT_TRUE(Boxes().shown.isEmpty());
        EXPECT_FALSE(ini.exists());
    }

    if (row.typedFirst == nullptr)
        Key(Qt::Key_Return);
    Type(row.typedAfter);
    EXPECT_EQ(DrawnTexts().join(u' '), QString::fromUtf16(row.shown));
}

// The guide built before a save still reads "sisi"; the next accepted key
// rebuilds it with the new spelling.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SettingsMenuTest, ::testing::Values(
    MenuRow{"SavedDuringARun", "", u"shi", true, "s", u"し し s h ishi"},
    MenuRow{"SavedInTheMiddleOfAKana", "s", u"shi", true, "h", u"し し sh i shi"},
    MenuRow{"CancelledDuringARun", "", u"shi", false, "s", u"し し s i si"},
    MenuRow{"SavedWhileIdle", nullptr, u"ci", true, "", u"し し c ici"}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kanoby::testing
