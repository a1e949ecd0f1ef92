#include "files/FileError.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kanoby {

using namespace Qt::StringLiterals;

QString FileErrorReason(const int errorNumber, const QString& systemText) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("kanoby::FileError",
                                               "アクセスが許可されていません。");
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return QCoreApplication::translate("kanoby::FileError",
                                               "ディスクの空き容量が足りません。");
        case EFBIG:
            return QCoreApplication::translate("kanoby::FileError",
                                               "ファイルの大きさが上限を超えます。");
        case EROFS:
            return QCoreApplication::translate("kanoby::FileError",
                                               "読み取り専用のファイルシステムです。");
        case EISDIR:
            return QCoreApplication::translate("kanoby::FileError",
                                               "同じ名前のフォルダーがあります。");
        case EEXIST:
            return QCoreApplication::translate("kanoby::FileError",
                                               "同じ名前のファイルがあります。");
        case ENOENT:
        case ENOTDIR:
            return QCoreApplication::translate("kanoby::FileError",
                                               "ファイルまたはフォルダーが見つかりません。");
        case EIO:
            return QCoreApplication::translate("kanoby::FileError",
                                               "ディスクの読み書きでエラーが起きました。");
        case EBUSY:
            return QCoreApplication::translate("kanoby::FileError",
                                               "ほかのプログラムが使用中です。");
        default:
            if (systemText.isEmpty() && errorNumber != 0)
                return QString::fromLocal8Bit(std::strerror(errorNumber));
            return systemText;
    }
}

#ifdef Q_OS_WIN
int LastFileError() {
    switch (GetLastError()) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return EEXIST;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return EIO;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EBUSY;
        default:
            return -1;  // the system's own words
    }
}

void ClearFileError() {
    SetLastError(ERROR_SUCCESS);
}
#else
int LastFileError() {
    return errno;
}

void ClearFileError() {
    errno = 0;
}
#endif

}  // namespace kanoby
