#include "ui/FileError.h"

#include <cerrno>
#include <cstring>

namespace kanoby {

using namespace Qt::StringLiterals;

QString FileErrorReason(const int errorNumber, const QString& systemText) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
            return u"アクセスが許可されていません。"_s;
        case ENOSPC:
        case EDQUOT:
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
        default:
            if (systemText.isEmpty() && errorNumber != 0)
                return QString::fromLocal8Bit(std::strerror(errorNumber));
            return systemText;
    }
}

}  // namespace kanoby
