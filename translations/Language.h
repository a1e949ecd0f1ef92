// The interface language: Japanese, as the program is written, or English
// from translations/kanoby_en.ts. The practice itself (questions, readings,
// the guides) is never translated.
//
//   uiLanguages ["de-DE", "ja"] → Japanese; ["en-US"] → English;
//   ["C"] (LANG=C) → Japanese, as the program always was.
#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

namespace kanoby {

enum class InterfaceLanguage { Japanese, English };

// What 表示 → 言語 holds: the rule below, or one language whatever the locale.
enum class LanguageChoice { Automatic, Japanese, English };

// Japanese when Japanese is among the user's interface languages
// (QLocale::uiLanguages()) or the locale is C/POSIX; English otherwise.
InterfaceLanguage AutomaticLanguage(const QStringList& uiLanguages);

InterfaceLanguage ChosenLanguage(LanguageChoice choice, const QStringList& uiLanguages);

// The choice as kanoby.ini stores it ("automatic", "ja", "en"), and back;
// anything else reads as Automatic.
QString LanguageChoiceKey(LanguageChoice choice);
LanguageChoice LanguageChoiceFromKey(const QString& key);

// The program's translation for `language` (none for Japanese), loaded from
// the resources; false when it is missing.
bool LoadProgramTranslation(QTranslator& translator, InterfaceLanguage language);

// Replaces the application's translators with those of `language`: the
// program's and, where the system has them, Qt's own (its dialogs' buttons).
// Every widget then receives QEvent::LanguageChange.
void InstallTranslators(InterfaceLanguage language);

// The language last installed; Japanese before any.
InterfaceLanguage InstalledLanguage();

}  // namespace kanoby
