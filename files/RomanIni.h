// Roman.ini: the preferred romaji spelling of each kana that offers a choice,
// one quoted "kana","spelling" record per line, code page 932, CR LF.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kanoby {

class KanaRomajiTable;

struct RomanIniRecord {
    QString kana;
    QString spelling;  // markers included: "|" for ん, "~" for っ
};

// The path of Roman.ini in `settingsDir`.
QString RomanIniPath(const QString& settingsDir);

// Applies the records held in the bytes of a Roman.ini file, in order, each
// by moving its spelling into slot 0. Records that match nothing are skipped.
void ApplyRomanIniBytes(KanaRomajiTable& table, const QByteArray& bytes);

// What reading a Roman.ini file gave.
struct RomanIniRead {
    QByteArray bytes;
    QString openError;    // why it could not be opened, in the system's words
    bool usable = false;  // read to its end without an error, and no larger
                          // than a preference file can be
};

// Reads the file at `path`. A file too large to be a preference file is read
// only as far as shows it, unless `whole` (as the trace tool reads).
RomanIniRead ReadRomanIniFile(const QString& path, bool whole = false);

// Applies <settingsDir>/Roman.ini when it exists; does nothing otherwise.
void ApplyRomanIni(KanaRomajiTable& table, const QString& settingsDir);

// The exact bytes of a file holding `records`.
QByteArray RomanIniBytes(const QList<RomanIniRecord>& records);

// Replaces <settingsDir>/Roman.ini with `records` only once the whole file has
// been written, making the folder first when it is not there. On failure the old file is untouched,
// `error` (when given) receives the reason, worded for the user, and false is returned.
bool WriteRomanIni(const QString& settingsDir, const QList<RomanIniRecord>& records,
                   QString* error = nullptr);

}  // namespace kanoby
