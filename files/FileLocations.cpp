#include "files/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "files/FileError.h"

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kQuestionFile = u"word.txt"_s;

// Qt names files in Unicode, so a program directory whose name is not valid
// in the locale's encoding is reached through the system's handle on it; the
// user reads the name as far as it decodes, and the file manager gets its
// bytes.
struct UndecodableDir {
    QString alias;
    QString shown;
    QByteArray bytes;
};

UndecodableDir& Undecodable() {
    static UndecodableDir dir;
    return dir;
}

}  // namespace

QString ProgramDirectory() {
#if defined(Q_OS_LINUX)
    QByteArray exe(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size());
    if (length > 0 && length < exe.size()) {
        exe.truncate(length);
        const QByteArray bytes = exe.left(std::max<qsizetype>(exe.lastIndexOf('/'), 1));
        const QString dir = QFile::decodeName(bytes);
        if (QFile::encodeName(dir) == bytes)
            return dir;
        const int handle = open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (handle >= 0) {
            Undecodable() = {u"/proc/self/fd/%1"_s.arg(handle), dir, bytes};
            return Undecodable().alias;
        }
    }
#endif
    return QCoreApplication::applicationDirPath();
}

FileLocations LocateFiles(const QString& programDir) {
    if (QFileInfo(QDir(programDir).filePath(kQuestionFile)).isFile())
        return {programDir, programDir};
#ifdef Q_OS_WIN
    // Qt's configuration folder there is the local one; the settings go with
    // the questions into the roaming %APPDATA%\kanoby that users know.
    constexpr auto kSettings = QStandardPaths::AppDataLocation;
#else
    constexpr auto kSettings = QStandardPaths::AppConfigLocation;
#endif
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            QStandardPaths::writableLocation(kSettings)};
}

bool ProvideQuestionFile(const FileLocations& files, QString* reason) {
    const QString target = QDir(files.questionDir).filePath(kQuestionFile);
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        return true;
    // The user's own folder comes first among the data folders.
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    folders.removeAll(files.questionDir);
    const auto sample = std::find_if(folders.cbegin(), folders.cend(), [](const QString& folder) {
        return QFileInfo(QDir(folder).filePath(kQuestionFile)).isFile();
    });
    if (sample == folders.cend())
        return true;

    QFile in(QDir(*sample).filePath(kQuestionFile));
    QFile out(target);
    QByteArray bytes;
    // The error is read right after the call that failed.
    ClearFileError();
    bool done = QDir().mkpath(files.questionDir);
    if (done) {
        ClearFileError();
        done = in.open(QIODevice::ReadOnly);
    }
    if (done) {
        ClearFileError();
        bytes = in.readAll();
        done = in.error() == QFileDevice::NoError;
    }
    if (done) {
        // NewOnly: a file that appeared meanwhile is left as it is.
        ClearFileError();
        done = out.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
               out.write(bytes) == bytes.size() && out.flush();
    }
    if (done)
        return true;
    const int errorNumber = LastFileError();
    const QString systemText = (out.error() != QFileDevice::NoError ? out : in).errorString();
    // Half a list would be read as questions.
    if (out.isOpen())
        out.remove();
    *reason = FileErrorReason(errorNumber, systemText);
    return false;
}

QString ShownPath(const QString& path) {
    const UndecodableDir& dir = Undecodable();
    if (!dir.alias.isEmpty() && (path == dir.alias || path.startsWith(dir.alias + u'/')))
        return QDir::toNativeSeparators(dir.shown + path.sliced(dir.alias.size()));
    return QDir::toNativeSeparators(path);
}

QUrl FolderUrl(const QString& dir) {
    const UndecodableDir& undecodable = Undecodable();
    if (!undecodable.alias.isEmpty() && dir == undecodable.alias)
        return QUrl::fromEncoded("file://" + undecodable.bytes.toPercentEncoding("/"));
    return QUrl::fromLocalFile(dir);
}

}  // namespace kanoby
