#include <QFileInfo>

#include "engine/KanaRomajiTable.h"
#include "files/RomanIni.h"
#include "tools/Trace.h"

namespace kanoby {

std::string ApplyPreferenceFile(KanaRomajiTable& table, const std::string& path) {
    const QString file = QString::fromUtf8(path);
    if (QFileInfo(file).isDir())
        return "cannot read " + path + ": it is a directory";
    // Read whole even past the size the program would refuse, and applied
    // even after a read error, as the tool always has.
    const RomanIniRead read = ReadRomanIniFile(file, true);
    if (!read.openError.isEmpty())
        return "cannot read " + path + ": " + read.openError.toStdString();
    ApplyRomanIniBytes(table, read.bytes);
    return {};
}

}  // namespace kanoby
