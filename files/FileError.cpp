#include "files/FileError.h"

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
            return u"アクセスが許可されていません。"_s;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return u"ディスクの空き容量が足りません。"_s;
        case EFBIG:
            return u"ファイルの大きさが上限を超えます。"_s;
        case EROFS:
            return u"読み取り専用のファイルシステムです。"_s;
        case EISDIR:
            return u"同じ名前のフォルダーがあります。"_s;
        case EEXIST:
            return u"同じ名前のファイルがあります。"_s;
        case ENOENT:
        case ENOTDIR:
            return u"ファイルまたはフォルダーが見つかりません。"_s;
        case EIO:
            return u"ディスクの読み書きでエラーが起きました。"_s;
        case EBUSY:
            return u"ほかのプログラムが使用中です。"_s;
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
