// Roman.ini's tests and the settings dialog's share these: the table as first
// built, the units whose order changed, records from "kana:spelling" text and
// a file's bytes in hex.
#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <string>

#include "engine/KanaRomajiTable.h"
#include "engine/Utf8.h"
#include "files/RomanIni.h"

namespace kanoby::testing {

using namespace Qt::StringLiterals;

struct InitialTable : KanaRomajiTable {
    InitialTable() { Build(); }
};

// The units whose order differs from the initial one, as "kana:slot0,slot1".
inline std::string ChangedUnits(const KanaRomajiTable& table) {
    static const InitialTable initial;
    std::u16string changes;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const auto& s = table.RomajiTable[unit];
        if (s != initial.RomajiTable[unit])
            changes += u' ' + table.KanaTable[unit] + u':' + s[0] + u',' + s[1] +
                       (s[2].empty() ? u"" : u',' + s[2]);
    }
    return ToUtf8(changes).substr(changes.empty() ? 0 : 1);
}

// "か:ka ん:|" as records.
inline QList<RomanIniRecord> Records(const QString& records) {
    QList<RomanIniRecord> list;
    for (const QString& record : records.split(u' ', Qt::SkipEmptyParts))
        list.append({record.section(u':', 0, 0), record.section(u':', 1)});
    return list;
}

inline std::string Hex(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toHex().toStdString() : "-";
}
}  // namespace kanoby::testing
