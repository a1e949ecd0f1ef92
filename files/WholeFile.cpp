#include "files/WholeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <csignal>

#include "files/FileError.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kTemporaryInfix = u".kanoby-"_s;
const QString kTemporarySuffix = u".tmp"_s;
constexpr qsizetype kRandomLetters = 6;

QString TemporaryName(const QString& finalName) {
    static constexpr char16_t kLetters[] =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString letters;
    for (qsizetype k = 0; k < kRandomLetters; ++k)
        letters += QChar(kLetters[QRandomGenerator::global()->bounded(62)]);
    return u'.' + finalName + kTemporaryInfix + letters + kTemporarySuffix;
}

// The file that writing `path` must change: a link's target, so that
// settings kept in another folder through a link stay there.
QString WrittenPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

#ifdef Q_OS_WIN
using Handle = HANDLE;
const Handle kNoHandle = INVALID_HANDLE_VALUE;

std::wstring Native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

Handle CreateNew(const QString& path) {
    return CreateFileW(Native(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteSynced(Handle file, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.constData() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file) != 0;
}

void CloseHandleOf(Handle file) {
    CloseHandle(file);
}

void RemoveFile(const QString& path) {
    DeleteFileW(Native(path).c_str());
}

// A file the user made read-only keeps its content.
bool MayReplace(const QString& target) {
    const DWORD attributes = GetFileAttributesW(Native(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

bool Place(const QString& temporary, const QString& target, const Placement placement) {
    const DWORD flags =
        MOVEFILE_WRITE_THROUGH | (placement == Placement::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExW(Native(temporary).c_str(), Native(target).c_str(), flags))
        return true;
    const DWORD error = GetLastError();
    if (placement == Placement::KeepExisting &&
        (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
        RemoveFile(temporary);
        return true;
    }
    // Replacing a file is refused while another program holds it open.
    const DWORD attributes = GetFileAttributesW(Native(target).c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        SetLastError(ERROR_SHARING_VIOLATION);
    } else {
        SetLastError(error);
    }
    return false;
}
#else
using Handle = int;
constexpr Handle kNoHandle = -1;

Handle CreateNew(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  0666);
}

bool WriteSynced(Handle file, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(file, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return ::fsync(file) == 0;
}

void CloseHandleOf(Handle file) {
    ::close(file);
}

void RemoveFile(const QString& path) {
    ::unlink(QFile::encodeName(path).constData());
}

// A file the user made read-only keeps its content.
bool MayReplace(const QString& target) {
    const QByteArray name = QFile::encodeName(target);
    return ::access(name.constData(), F_OK) != 0 || ::access(name.constData(), W_OK) == 0;
}

bool Place(const QString& temporary, const QString& target, const Placement placement) {
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target);
    if (placement == Placement::Replace)
        return ::rename(from.constData(), to.constData()) == 0;
    // A link never replaces: whoever made the file first, it is whole.
    int result = ::link(from.constData(), to.constData());
#ifdef RENAME_NOREPLACE
    if (result != 0 && errno != EEXIST)  // a file system without hard links
        result =
            ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
#endif
    if (result != 0 && errno != EEXIST)
        return false;
    ::unlink(from.constData());
    return true;
}

// A new file gets the permissions the old one had.
void KeepPermissions(Handle file, const QString& target) {
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0)
        ::fchmod(file, old.st_mode & 07777);
}
#endif

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, const Placement placement,
                    WriteFailure* failure) {
#ifdef SIGXFSZ
    // Past a file-size limit a write fails with its reason rather than
    // killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const QString target = WrittenPath(path);
    const QFileInfo targetInfo(target);
    // Each error is read right after the call that failed.
    int errorNumber = 0;
    const auto fail = [&] {
        if (failure)
            *failure = {errorNumber, qt_error_string(-1)};
        return false;
    };
    // Said the same on every system (Windows would say only "access denied").
    if (targetInfo.isDir()) {
        errorNumber = EISDIR;
        return fail();
    }
    if (placement == Placement::Replace &&
        !CaptureFileError(errorNumber, [&] { return MayReplace(target); })) {
        return fail();
    }

    QString temporary;
    Handle file = kNoHandle;
    for (int tries = 0; file == kNoHandle; ++tries) {
        temporary = QDir(targetInfo.absolutePath()).filePath(TemporaryName(targetInfo.fileName()));
        file = CaptureFileError(errorNumber, [&] { return CreateNew(temporary); });
        if (file == kNoHandle && (errorNumber != EEXIST || tries == 10))
            return fail();
    }
#ifndef Q_OS_WIN
    if (placement == Placement::Replace)
        KeepPermissions(file, target);
#endif
    const bool written = CaptureFileError(errorNumber, [&] { return WriteSynced(file, bytes); });
    WriteFailure writeFailure;
    if (!written)
        writeFailure = {errorNumber, qt_error_string(-1)};
    CloseHandleOf(file);
    if (written) {
        if (CaptureFileError(errorNumber, [&] { return Place(temporary, target, placement); }))
            return true;
        writeFailure = {errorNumber, qt_error_string(-1)};
    }
    RemoveFile(temporary);
    if (failure)
        *failure = writeFailure;
    return false;
}

bool IsOwnTemporary(const QString& name, const QString& finalName) {
    const qsizetype lettersAt = 1 + finalName.size() + kTemporaryInfix.size();
    if (name.size() != lettersAt + kRandomLetters + kTemporarySuffix.size() ||
        !name.startsWith(u'.' + finalName + kTemporaryInfix) || !name.endsWith(kTemporarySuffix)) {
        return false;
    }
    const QStringView letters = QStringView(name).sliced(lettersAt, kRandomLetters);
    return std::all_of(letters.begin(), letters.end(),
                       [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

void RemoveStaleTemporaries(const QString& dir, const QString& finalName) {
    const QDateTime aMinuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    QDir folder(dir);
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (IsOwnTemporary(entry.fileName(), finalName) && !entry.isSymLink() &&
            entry.lastModified().toUTC() < aMinuteAgo) {
            folder.remove(entry.fileName());
        }
    }
}

}  // namespace kanoby
