// Kanoby starts with its main window and ends when that window is closed.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/FileLocations.h"
#include "mainwindow/MainWindow.h"
#include "platform/MessageBox.h"
#include "record/HistoryFile.h"
#include "record/HistoryReport.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr char kUsage[] = "usage: kanoby [--help | --version | --export-history FILE]\n";
#ifdef _WIN32
constexpr char kUserFiles[] = "otherwise both in %APPDATA%\\kanoby\\.\n";
#else
constexpr char kUserFiles[] =
    "otherwise word.txt in\n$XDG_DATA_HOME/kanoby/ and Roman.ini in $XDG_CONFIG_HOME/kanoby/.\n";
#endif

// --export-history FILE: the same CSV as the record window's, for scripts.
int ExportHistoryCommand(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"kanoby"_s);
    const QString csvPath = QCoreApplication::arguments().value(2);
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
// --version work without a display.
int ReadCommandLine(int argc, char** argv) {
#ifdef _WIN32
    // A windowed program has no console of its own: it answers in the one it
    // was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("%s\n%s%s", kUsage,
                    "Kanoby is a typing drill for Japanese: type the reading of each question\n"
                    "in romaji or with the kana keys. It opens its window.\n\n"
                    "  --export-history FILE  write the record of the runs to FILE as CSV\n"
                    "                         (UTF-8) and exit, without a window\n\n"
                    "Files: word.txt (the questions) and Roman.ini (the settings) beside the\n"
                    "program when a word.txt is there, ",
                    kUserFiles);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kanoby %s\n", KANOBY_VERSION);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--export-history") == 0)
        return ExportHistoryCommand(argc, argv);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        return ReadCommandLine(argc, argv);

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
    const auto window = std::make_unique<kanoby::MainWindow>(files, boxes);
    window->show();
    return QApplication::exec();
}
