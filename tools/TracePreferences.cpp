#include <QFile>
#include <QFileInfo>

#include "engine/KanaRomajiTable.h"
#include "files/RomanIni.h"
#include "tools/Trace.h"

namespace kanoby {

std::string ApplyPreferenceFile(KanaRomajiTable& table, const std::string& path) {
    QFile file(QString::fromUtf8(path));
    if (QFileInfo(file).isDir())
        return "cannot read " + path + ": it is a directory";
    if (!file.open(QIODevice::ReadOnly)) {
        return "cannot read " + path + ": " + file.errorString().toStdString();
    }
    ApplyRomanIniBytes(table, file.readAll());
    return {};
}

}  // namespace kanoby
