// Where word.txt and Roman.ini live. A folder that holds a word.txt beside
// the program is portable: both files live there. An installed program keeps
// them in the user's own folders for it, which QStandardPaths names on every
// platform, and never writes beside itself.
#pragma once

#include <QString>
#include <QUrl>

namespace kanoby {

struct FileLocations {
    QString questionDir;  // holds word.txt
    QString settingsDir;  // holds Roman.ini; made when the settings are first saved
};

// The directory of the running program, usable for file access whatever
// bytes its name holds.
QString ProgramDirectory();

// The folders for a program in `programDir`. Installed, they come from the
// application name, which must be set first.
FileLocations LocateFiles(const QString& programDir);

// Gives an installed program's user a word.txt: when the data folder holds
// none, copies there the first sample found in the system's data folders.
// An existing file is never touched, and the copy is whole or absent. False,
// with the message for the user (naming the file that failed), when the copy
// fails; true when there was nothing to copy.
bool ProvideQuestionFile(const FileLocations& files, QString* message);

// The path of word.txt in `questionDir`.
QString QuestionFilePath(const QString& questionDir);

// `path` as the user should read it.
QString ShownPath(const QString& path);

// The folder `dir` for the desktop's file manager.
QUrl FolderUrl(const QString& dir);

}  // namespace kanoby
