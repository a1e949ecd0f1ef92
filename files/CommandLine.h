// What the command line asks of the program, read before the application
// exists so that --help and --version need no display:
//
//   kanoby              the window, with the list last used
//   kanoby FILE         the window, with the list FILE ("kanoby -- FILE" for a
//                       name that starts with "-")
//   kanoby --help       the usage, then exit
//   kanoby --version    the version, then exit
//   kanoby --export-history FILE
//                       the record of the runs written to FILE as CSV, then
//                       exit, without a window
//
// Anything else is a usage error.
#pragma once

#include <QString>
#include <QStringList>

namespace kanoby {

enum class CommandAction { Run, Help, Version, ExportHistory, Usage };

struct CommandLine {
    CommandAction action = CommandAction::Run;
    QString listFile;  // as given: the list to open, or the file to export to
};

// `arguments` are those after the program's name.
CommandLine ReadCommandLine(const QStringList& arguments);

// The arguments after the program's name, decoded as the system names files
// (on Windows taken from the wide command line, which holds any name).
QStringList ProgramArguments(int argc, char** argv);

}  // namespace kanoby
