// The interface language: the rule from the user's languages, the menu's
// choice, and a finished English translation of every text in the sources.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <tuple>

#include "translations/Language.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

namespace {

constexpr auto kAutomatic = LanguageChoice::Automatic;
constexpr auto kJapanese = InterfaceLanguage::Japanese, kEnglish = InterfaceLanguage::English;

// The user's languages, most wanted first; the menu's choice; the interface's language.
const std::tuple<const char16_t*, LanguageChoice, InterfaceLanguage> kRuleRows[] = {
    {u"C", kAutomatic, kJapanese},
    {u"", kAutomatic, kJapanese},
    {u"ja-JP ja-Jpan-JP ja", kAutomatic, kJapanese},
    {u"en-US en-Latn-US en", kAutomatic, kEnglish},
    {u"de-DE de ja", kAutomatic, kJapanese},
    {u"jv-ID jv", kAutomatic, kEnglish},  // not Japanese
    {u"ja-JP", LanguageChoice::English, kEnglish},
    {u"en-US", LanguageChoice::Japanese, kJapanese},
};

TEST(LanguageTest, TheRuleAndTheChoicePickTheLanguage) {
    for (const auto& [languages, choice, expected] : kRuleRows) {
        const QStringList uiLanguages =
            QString::fromUtf16(languages).split(u' ', Qt::SkipEmptyParts);
        EXPECT_EQ(ChosenLanguage(choice, uiLanguages), expected)
            << uiLanguages.join(u' ').toStdString();
        // The choice survives kanoby.ini.
        EXPECT_EQ(LanguageChoiceFromKey(LanguageChoiceKey(choice)), choice);
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
    QFile folders(QStringLiteral(KANOBY_SOURCE_DIR "/translations/folders.txt"));
    ASSERT_TRUE(folders.open(QIODevice::ReadOnly));
    QStringList arguments{u"-silent"_s, u"-no-obsolete"_s, u"-locations"_s, u"none"_s, u"-I"_s,
                          u"."_s,       u"-extensions"_s,  u"cpp,h"_s};
    for (const QByteArray& line : folders.readAll().split('\n'))
        arguments += line.startsWith('#') ? QStringList()
                                          : QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
    lupdate.start(QStringLiteral(KANOBY_LUPDATE), arguments + QStringList{u"-ts"_s, ts});
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

}  // namespace
