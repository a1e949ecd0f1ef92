#include "files/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "files/FileError.h"
#include "files/WholeFile.h"

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

namespace {

// Relative folders in the XDG variables are to be ignored: they would make
// the user's files depend on where the program was started.
void IgnoreRelativeXdgPaths() {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        if (qEnvironmentVariableIsSet(name) && !QDir::isAbsolutePath(qEnvironmentVariable(name)))
            qunsetenv(name);
    }
    for (const char* name : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
        if (!qEnvironmentVariableIsSet(name))
            continue;
        QStringList folders = qEnvironmentVariable(name).split(u':', Qt::SkipEmptyParts);
        folders.removeIf([](const QString& folder) { return !QDir::isAbsolutePath(folder); });
        if (folders.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, QFile::encodeName(folders.join(u':')));
    }
}

}  // namespace

QString QuestionFilePath(const QString& questionDir) {
    return QDir(questionDir).filePath(kQuestionFile);
}

FileLocations LocateFiles(const QString& programDir) {
    IgnoreRelativeXdgPaths();
    if (QFileInfo(QuestionFilePath(programDir)).isFile())
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

bool ProvideQuestionFile(const FileLocations& files, QString* message) {
    const QString target = QuestionFilePath(files.questionDir);
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

    // A copy cut short by a kill left its temporary, never a part of a list.
    RemoveStaleTemporaries(files.questionDir, kQuestionFile);
    const QString samplePath = QDir(*sample).filePath(kQuestionFile);
    QFile in(samplePath);
    int errorNumber = 0;
    const auto cannotRead = [&] {
        *message = QCoreApplication::translate("kanoby::FileLocations",
                                               "問題文ファイルの見本を読み込めません：") +
                   ShownPath(samplePath) + u'\n' + FileErrorReason(errorNumber, in.errorString());
        return false;
    };
    // The error is read right after the call that failed.
    if (!CaptureFileError(errorNumber, [&] { return in.open(QIODevice::ReadOnly); }))
        return cannotRead();
    const QByteArray bytes = CaptureFileError(errorNumber, [&] { return in.readAll(); });
    if (in.error() != QFileDevice::NoError)
        return cannotRead();
    WriteFailure failure;
    // Another instance starting at the same moment may have made it first:
    // its copy is as whole as ours.
    if (CaptureFileError(errorNumber, [&] {
            return QDir().mkpath(files.questionDir) &&
                   WriteWholeFile(target, bytes, Placement::KeepExisting, &failure);
        })) {
        return true;
    }
    if (failure.errorNumber == 0)
        failure = {errorNumber, QString()};
    *message = QCoreApplication::translate("kanoby::FileLocations",
                                           "問題文ファイルの見本をコピーできません：") +
               ShownPath(target) + u'\n' + FileErrorReason(failure.errorNumber, failure.systemText);
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
