#include "translations/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

struct Installed {
    InterfaceLanguage language = InterfaceLanguage::Japanese;
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed& CurrentTranslators() {
    static Installed installed;
    return installed;
}

}  // namespace

InterfaceLanguage AutomaticLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        if (name == u"C"_s || name == u"POSIX"_s || name == u"ja"_s || name.startsWith(u"ja-"_s) ||
            name.startsWith(u"ja_"_s))
            return InterfaceLanguage::Japanese;
    }
    // No language at all is the C locale too.
    return uiLanguages.isEmpty() ? InterfaceLanguage::Japanese : InterfaceLanguage::English;
}

InterfaceLanguage ChosenLanguage(const LanguageChoice choice, const QStringList& uiLanguages) {
    switch (choice) {
        case LanguageChoice::Japanese:
            return InterfaceLanguage::Japanese;
        case LanguageChoice::English:
            return InterfaceLanguage::English;
        case LanguageChoice::Automatic:
            break;
    }
    return AutomaticLanguage(uiLanguages);
}

QString LanguageChoiceKey(const LanguageChoice choice) {
    switch (choice) {
        case LanguageChoice::Japanese:
            return u"ja"_s;
        case LanguageChoice::English:
            return u"en"_s;
        case LanguageChoice::Automatic:
            break;
    }
    return u"automatic"_s;
}

LanguageChoice LanguageChoiceFromKey(const QString& key) {
    if (key == u"ja"_s)
        return LanguageChoice::Japanese;
    if (key == u"en"_s)
        return LanguageChoice::English;
    return LanguageChoice::Automatic;
}

bool LoadProgramTranslation(QTranslator& translator, const InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese)
        return false;
    return translator.load(u":/i18n/kanoby_en.qm"_s);
}

void InstallTranslators(const InterfaceLanguage language) {
    Installed& installed = CurrentTranslators();
    for (auto* translator : {installed.program.get(), installed.qt.get()}) {
        if (translator != nullptr)
            QCoreApplication::removeTranslator(translator);
    }
    installed.program.reset();
    installed.qt.reset();
    installed.language = language;

    auto program = std::make_unique<QTranslator>();
    if (LoadProgramTranslation(*program, language) &&
        QCoreApplication::installTranslator(program.get()))
        installed.program = std::move(program);
    // Qt speaks English by itself; in Japanese its own texts (the file
    // dialog's buttons, a text field's menu) come from the system's
    // translations where they are installed.
    if (language == InterfaceLanguage::Japanese) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            QCoreApplication::installTranslator(qt.get()))
            installed.qt = std::move(qt);
    }
    // With nothing to install nor remove Qt sends no LanguageChange: the
    // windows are told all the same, so that they always show `language`.
    if (!installed.program && !installed.qt) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
    }
}

InterfaceLanguage InstalledLanguage() {
    return CurrentTranslators().language;
}

}  // namespace kanoby
