// What a screen reader reads of the progress picture during a run, and the
// interface language switched from the 表示 menu.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>

#include "WindowTestSupport.h"

namespace kanoby::testing {
namespace {

QString Spoken(ProgressPicture* picture, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(picture);
    return face ? face->text(kind) : u"(no interface)"_s;
}

TEST_F(WindowTest, ThePictureReadsTheQuestionAndTheProgressInTheChosenLanguage) {
    WriteWords(u"学校\nがっこう\n"_s);
    MainWindow& window = Open();
    ProgressPicture* picture = window.progressPicture;
    struct Row {
        const char* step;
        std::function<void()> action;
        QString name;
        QString description;
    };
    const Row rows[] = {
        {"idle", [] {}, u"練習の表示"_s, u"Enter で練習を始めます"_s},
        {"start", [&] { Key(Qt::Key_Return); }, u"学校"_s,
         u"がっこう — 入力済み 、現在 が、キー：gakkou"_s},
        {"accepted g", [&] { Type(u"g"_s); }, u"学校"_s,
         u"がっこう — 入力済み 、現在 が、キー：akkou"_s},
        {"accepted a", [&] { Type(u"a"_s); }, u"学校"_s,
         u"がっこう — 入力済み が、現在 っ、キー：kkou"_s},
        {"rejected q", [&] { Type(u"q"_s); }, u"学校"_s,
         u"違うキーです。 がっこう — 入力済み が、現在 っ、キー：kkou"_s},
        {"English", [&] { window.englishLanguageAction->trigger(); }, u"学校"_s,
         u"がっこう — typed が, now っ, keys: kkou"_s},
        {"accepted k", [&] { Type(u"k"_s); }, u"学校"_s,
         u"がっこう — typed がっ, now こ, keys: kou"_s},
        {"Japanese", [&] { window.japaneseLanguageAction->trigger(); }, u"学校"_s,
         u"がっこう — 入力済み がっ、現在 こ、キー：kou"_s},
    };
    for (const Row& row : rows) {
        row.action();
        QCoreApplication::processEvents();
        EXPECT_EQ(Spoken(picture, QAccessible::Name), row.name) << row.step;
        EXPECT_EQ(Spoken(picture, QAccessible::Description), row.description) << row.step;
    }
    EXPECT_EQ(QSettings(QDir(Dir()).filePath(u"kanoby.ini"_s), QSettings::IniFormat)
                  .value(u"view/language"_s),
              u"ja"_s);
    EXPECT_EQ(EndDialogs([&] { Key(Qt::Key_Return); }), 1);
    EXPECT_EQ(Spoken(picture, QAccessible::Name), u"練習の表示"_s);
}

// The menu's choice shows at once on every control and menu, and is what the next start
// uses; Automatic follows the locale (C here: Japanese, as before).
TEST_F(WindowTest, TheLanguageMenuSwitchesEveryTextAtOnce) {
    MainWindow& window = Open();
    const auto texts = [&window] {
        return QStringList{window.fileMenu->title(),        window.helpMenu->title(),
                           window.usageAction->text(),      window.startButton->text(),
                           window.inputModeBox->title(),    window.romajiOption->text(),
                           window.enterHint->text(),        window.randomOrderAction->text(),
                           window.showRecordAction->text(), window.kanaOption->toolTip()}
            .join(u'|');
    };
    const QString japanese =
        u"ファイル(&F)|ヘルプ(&H)|使い方(&U)|スタート|入力方式|ローマ字|Enter：スタート／中断|"
        u"ランダム(&N)|成績を見る(&S)…|Alt+M：ローマ字、Alt+K：かな、ひらがな/カタカナ キー：切り替え"_s;
    EXPECT_EQ(texts(), japanese);
    EXPECT_EQ(window.romajiOption->toolTip(), window.kanaOption->toolTip());
    window.englishLanguageAction->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(texts(),
              u"&File|&Help|&Using Kanoby|Start|Input|Romaji|Enter: start / stop|"
              u"Ra&ndom Order|&Show Results…|Alt+M: romaji, Alt+K: kana, the Hiragana/Katakana "
              u"key: switch"_s);
    EXPECT_TRUE(window.englishLanguageAction->isChecked());
    MainWindow& reopened = Open();  // a new window reads the choice back
    EXPECT_TRUE(reopened.englishLanguageAction->isChecked());
    reopened.automaticLanguageAction->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(reopened.startButton->text(),
              AutomaticLanguage(QLocale::system().uiLanguages()) == InterfaceLanguage::Japanese
                  ? u"スタート"_s
                  : u"Start"_s);
}

}  // namespace
}  // namespace kanoby::testing
