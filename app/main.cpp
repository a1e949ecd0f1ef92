// Kanoby starts with its main window and ends when that window is closed.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "files/CommandLine.h"
#include "files/FileLocations.h"
#include "files/ProgramSettings.h"
#include "mainwindow/MainWindow.h"
#include "platform/MessageBox.h"
#include "record/HistoryFile.h"
#include "record/HistoryReport.h"
#include "translations/Language.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr char kUsage[] =
    "usage: kanoby [--help | --version | --export-history FILE | [--] FILE]\n";
#ifdef _WIN32
constexpr char kUserFiles[] = QT_TRANSLATE_NOOP(
    "kanoby::CommandLine", "それ以外は両方とも %APPDATA%\\kanoby\\ にあります。\n");
#else
constexpr char kUserFiles[] =
    QT_TRANSLATE_NOOP("kanoby::CommandLine",
                      "それ以外は word.txt が $XDG_DATA_HOME/kanoby/ に、\n"
                      "Roman.ini と kanoby.ini が $XDG_CONFIG_HOME/kanoby/ にあります。\n");
#endif
constexpr char kAbout[] = QT_TRANSLATE_NOOP(
    "kanoby::CommandLine",
    "Kanoby は日本語のタイピング練習です。問題の読みをローマ字またはかなキーで\n"
    "入力します。FILE を問題の一覧としてウィンドウを開きます（なければ前回の一覧）。\n\n"
    "  --export-history FILE  練習の記録を CSV（UTF-8）で FILE に書き出して終了します\n"
    "                         （ウィンドウは開きません）\n\n"
    "ファイル：word.txt（問題）、Roman.ini と kanoby.ini（設定）。プログラムの横に\n"
    "word.txt があればそこに、");

// --export-history FILE: the same CSV as the record window's, for scripts.
int ExportHistoryCommand(int argc, char** argv, const QString& csvPath) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"kanoby"_s);
    const kanoby::FileLocations files = kanoby::LocateFiles(kanoby::ProgramDirectory());
    const kanoby::History history = kanoby::ReadHistory(kanoby::HistoryFilePath(files.questionDir));
    QString error = history.error;
    if (error.isEmpty())
        kanoby::ExportHistory(history, csvPath, &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kanoby: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    if (const QString note = kanoby::SkippedNote(history); !note.isEmpty())
        std::fprintf(stderr, "kanoby: %s\n", note.toLocal8Bit().constData());
    return 0;
}

// The command line is read before the application exists, so that --help and
// --version work without a display. A terminal in the C locale may show no
// Japanese: there --help speaks English, as in any but a Japanese locale.
int Answer(const kanoby::CommandLine& commandLine, int argc, char** argv) {
#ifdef _WIN32
    // A windowed program has no console of its own: it answers in the one it
    // was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    if (commandLine.action == kanoby::CommandAction::Help) {
        const QStringList languages = QLocale::system().uiLanguages();
        const bool japanese =
            languages.value(0) != u"C"_s &&
            kanoby::AutomaticLanguage(languages) == kanoby::InterfaceLanguage::Japanese;
        QTranslator english;
        if (!japanese)
            kanoby::LoadProgramTranslation(english, kanoby::InterfaceLanguage::English);
        const auto text = [&](const char* source) {
            const QString translated = english.translate("kanoby::CommandLine", source);
            return (translated.isEmpty() ? QString::fromUtf8(source) : translated).toLocal8Bit();
        };
        std::printf("%s\n%s%s", kUsage, text(kAbout).constData(), text(kUserFiles).constData());
        return 0;
    }
    if (commandLine.action == kanoby::CommandAction::Version) {
        std::printf("kanoby %s\n", KANOBY_VERSION);
        return 0;
    }
    if (commandLine.action == kanoby::CommandAction::ExportHistory)
        return ExportHistoryCommand(argc, argv, commandLine.listFile);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const kanoby::CommandLine commandLine =
        kanoby::ReadCommandLine(kanoby::ProgramArguments(argc, argv));
    if (commandLine.action != kanoby::CommandAction::Run)
        return Answer(commandLine, argc, argv);

    QApplication app(argc, argv);
    // Paths use the lower-case name; every window keeps the title "Kanoby".
    QApplication::setApplicationName(u"kanoby"_s);
    QApplication::setApplicationVersion(QStringLiteral(KANOBY_VERSION));
    // Wayland pairs the window with its desktop entry, and so its icon, by this.
    QGuiApplication::setDesktopFileName(u"io.github.kanoby.kanoby"_s);
    QApplication::setWindowIcon(QIcon(u":/io.github.kanoby.kanoby.png"_s));

    kanoby::QtMessageBoxes boxes;
    const kanoby::FileLocations files = kanoby::LocateFiles(kanoby::ProgramDirectory());
    // Every message and window, the first included, speaks the chosen language.
    const kanoby::ProgramSettings settings(files.settingsDir);
    kanoby::InstallTranslators(kanoby::ChosenLanguage(
        kanoby::LanguageChoiceFromKey(settings.Value(u"view/language"_s).toString()),
        QLocale::system().uiLanguages()));
    QString copyFailure;
    if (!kanoby::ProvideQuestionFile(files, &copyFailure))
        boxes.Show(nullptr, copyFailure);
    // The window holds the tables, too large for the stack.
    const auto window = std::make_unique<kanoby::MainWindow>(
        files, boxes,
        commandLine.listFile.isEmpty() ? QString()
                                       : QFileInfo(commandLine.listFile).absoluteFilePath());
    window->show();
    return QApplication::exec();
}
