// Kanoby starts with its main window and ends when that window is closed.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <memory>

#include "files/CommandLine.h"
#include "files/FileLocations.h"
#include "mainwindow/MainWindow.h"
#include "platform/MessageBox.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr char kUsage[] = "usage: kanoby [--help | --version | [--] FILE]\n";
#ifdef _WIN32
constexpr char kUserFiles[] = "otherwise both in %APPDATA%\\kanoby\\.\n";
#else
constexpr char kUserFiles[] =
    "otherwise word.txt in\n$XDG_DATA_HOME/kanoby/ and Roman.ini in $XDG_CONFIG_HOME/kanoby/.\n";
#endif

// Answers --help, --version and a usage error, which need no display.
int Answer(const kanoby::CommandAction action) {
#ifdef _WIN32
    // A windowed program has no console of its own: it answers in the one it
    // was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    if (action == kanoby::CommandAction::Help) {
        std::printf("%s\n%s%s", kUsage,
                    "Kanoby is a typing drill for Japanese: type the reading of each question\n"
                    "in romaji or with the kana keys. It opens its window with FILE as its list\n"
                    "of questions, or else with the list last used.\n\n"
                    "Files: word.txt (the questions) and Roman.ini (the settings) beside the\n"
                    "program when a word.txt is there, ",
                    kUserFiles);
        return 0;
    }
    if (action == kanoby::CommandAction::Version) {
        std::printf("kanoby %s\n", KANOBY_VERSION);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const kanoby::CommandLine commandLine =
        kanoby::ReadCommandLine(kanoby::ProgramArguments(argc, argv));
    if (commandLine.action != kanoby::CommandAction::Run)
        return Answer(commandLine.action);

    QApplication app(argc, argv);
    // Paths use the lower-case name; every window keeps the title "Kanoby".
    QApplication::setApplicationName(u"kanoby"_s);
    QApplication::setApplicationVersion(QStringLiteral(KANOBY_VERSION));
    // Wayland pairs the window with its desktop entry, and so its icon, by this.
    QGuiApplication::setDesktopFileName(u"io.github.kanoby.kanoby"_s);
    QApplication::setWindowIcon(QIcon(u":/io.github.kanoby.kanoby.png"_s));

    kanoby::QtMessageBoxes boxes;
    const kanoby::FileLocations files = kanoby::LocateFiles(kanoby::ProgramDirectory());
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
