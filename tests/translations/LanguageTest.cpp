// The interface language: the rule from the user's languages, the menu's
// choice, and a finished English translation of every text in the sources.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include "translations/Language.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

namespace {

struct RuleRow {
    const char* name;
    QStringList uiLanguages;
    LanguageChoice choice;
    InterfaceLanguage expected;
};

const RuleRow kRuleRows[] = {
    {"C", {u"C"_s}, LanguageChoice::Automatic, InterfaceLanguage::Japanese},
    {"none", {}, LanguageChoice::Automatic, InterfaceLanguage::Japanese},
    {"Japan",
     {u"ja-JP"_s, u"ja-Jpan-JP"_s, u"ja"_s},
     LanguageChoice::Automatic,
     InterfaceLanguage::Japanese},
    {"US",
     {u"en-US"_s, u"en-Latn-US"_s, u"en"_s},
     LanguageChoice::Automatic,
     InterfaceLanguage::English},
    {"German then Japanese",
     {u"de-DE"_s, u"de"_s, u"ja"_s},
     LanguageChoice::Automatic,
     InterfaceLanguage::Japanese},
    {"Javanese is not Japanese",
     {u"jv-ID"_s, u"jv"_s},
     LanguageChoice::Automatic,
     InterfaceLanguage::English},
    {"English chosen in Japan", {u"ja-JP"_s}, LanguageChoice::English, InterfaceLanguage::English},
    {"Japanese chosen in the US",
     {u"en-US"_s},
     LanguageChoice::Japanese,
     InterfaceLanguage::Japanese},
};

TEST(LanguageTest, TheRuleAndTheChoicePickTheLanguage) {
    for (const RuleRow& row : kRuleRows) {
        EXPECT_EQ(ChosenLanguage(row.choice, row.uiLanguages), row.expected) << row.name;
        // The choice survives kanoby.ini.
        EXPECT_EQ(LanguageChoiceFromKey(LanguageChoiceKey(row.choice)), row.choice) << row.name;
    }
    EXPECT_EQ(LanguageChoiceFromKey(u"klingon"_s), LanguageChoice::Automatic);
}

// The sources' texts gathered afresh into a copy of the kept .ts: any text
// without a finished translation, or whose translation drops or adds a %n,
// is named.
TEST(LanguageTest, EveryTextOfTheSourcesHasAFinishedEnglishTranslation) {
#ifndef KANOBY_LUPDATE
    GTEST_SKIP() << "no lupdate for this build";
#else
    QTemporaryDir dir;
    const QString ts = dir.filePath(u"kanoby_en.ts"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KANOBY_SOURCE_DIR "/translations/kanoby_en.ts"), ts));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(KANOBY_SOURCE_DIR));
    lupdate.start(
        QStringLiteral(KANOBY_LUPDATE),
        {u"-silent"_s, u"-no-obsolete"_s, u"-locations"_s, u"none"_s, u"-I"_s, u"."_s,
         u"-extensions"_s, u"cpp,h"_s, u"engine"_s, u"files"_s, u"record"_s, u"translations"_s,
         u"platform"_s, u"settings"_s, u"recordwindow"_s, u"mainwindow"_s, u"app"_s, u"-ts"_s, ts});
    ASSERT_TRUE(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0)
        << lupdate.readAllStandardError().toStdString();

    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    QStringList faults;
    int messages = 0;
    const QRegularExpression placeholder(u"%\\d"_s);
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (const auto& match : placeholder.globalMatch(text))
            found.append(match.captured());
        found.sort();
        return found;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source"_s) {
            source = xml.readElementText();
        } else if (xml.name() == u"translation"_s) {
            ++messages;
            const bool unfinished = !xml.attributes().value(u"type"_s).isEmpty();
            const QString translation = xml.readElementText();
            if (unfinished || translation.isEmpty() ||
                placeholders(translation) != placeholders(source))
                faults.append(source);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 50);
    EXPECT_EQ(faults.join(u" | "_s).toStdString(), "")
        << "run scripts/translations and translate these";
#endif
}

// The compiled translation is in the program; Japanese needs none.
TEST(LanguageTest, TheEmbeddedTranslationSpeaksEnglish) {
    QTranslator english;
    ASSERT_TRUE(LoadProgramTranslation(english, InterfaceLanguage::English));
    EXPECT_EQ(english.translate("kanoby::MainWindow", "スタート"), u"Start"_s);
    EXPECT_EQ(english.translate("kanoby::EndMessage", "終了！"), u"Finished!"_s);
    QTranslator japanese;
    EXPECT_FALSE(LoadProgramTranslation(japanese, InterfaceLanguage::Japanese));
}

}  // namespace
