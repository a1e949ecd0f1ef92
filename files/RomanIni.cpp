#include "files/RomanIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <cerrno>
#include <string_view>

#include "engine/KanaRomajiTable.h"
#include "files/EngineText.h"
#include "files/FileError.h"
#include "files/TextCodec.h"
#include "files/WholeFile.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kRomanIniName = u"Roman.ini"_s;

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Cuts the text into the fields of the file, in order, and hands each to
// `take`. The program writes every field quoted, one record per CR LF line;
// files edited by hand get this much leeway:
// - a comma or a line end (CR LF, LF or a lone CR) ends a field;
// - spaces and tabs around a field are not part of it;
// - a quoted field's value is what stands between its quotes, commas
//   included; a line end also ends an unclosed quote, so one stray quote
//   cannot swallow the lines after it; anything between the closing quote and
//   the next separator is dropped;
// - an unquoted field is its text as it stands;
// - a line holding nothing but spaces and tabs holds no field at all.
// A line of one or three fields still shifts the pairing of all that follows,
// and such records simply match nothing.
template <typename Take>
void ForEachField(QStringView text, Take take) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size) {
        // Start of a line: a blank one yields nothing.
        qsizetype lineEnd = i;
        while (lineEnd < size && !IsLineEnd(text[lineEnd]))
            ++lineEnd;
        bool blankLine = true;
        for (qsizetype k = i; k < lineEnd; ++k) {
            if (!IsBlank(text[k]))
                blankLine = false;
        }
        if (!blankLine) {
            qsizetype pos = i;
            while (true) {
                while (pos < lineEnd && IsBlank(text[pos]))
                    ++pos;
                QStringView value;
                if (pos < lineEnd && text[pos] == u'"') {
                    const qsizetype open = pos + 1;
                    qsizetype close = open;
                    while (close < lineEnd && text[close] != u'"')
                        ++close;
                    value = text.sliced(open, close - open);
                    pos = close;
                    while (pos < lineEnd && text[pos] != u',')
                        ++pos;
                } else {
                    const qsizetype begin = pos;
                    while (pos < lineEnd && text[pos] != u',')
                        ++pos;
                    qsizetype end = pos;
                    while (end > begin && IsBlank(text[end - 1]))
                        --end;
                    value = text.sliced(begin, end - begin);
                }
                take(value);
                if (pos >= lineEnd)
                    break;
                ++pos;  // past the comma: another field follows on this line
            }
        }
        i = lineEnd;
        if (i < size && text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        if (i < size)
            ++i;
    }
}

}  // namespace

QString RomanIniPath(const QString& settingsDir) {
    return QDir(settingsDir).filePath(kRomanIniName);
}

void ApplyRomanIniBytes(KanaRomajiTable& table, const QByteArray& bytes) {
    const QString text = DecodeCp932(bytes);
    QStringView kana;
    bool haveKana = false;
    ForEachField(text, [&](QStringView field) {
        if (!haveKana) {
            kana = field;
            haveKana = true;
            return;
        }
        // A record that names no unit, or none of its spellings, changes nothing.
        table.PreferSpelling(ToEngineText(kana), ToEngineText(field));
        haveKana = false;
    });
}

RomanIniRead ReadRomanIniFile(const QString& path, bool whole) {
    RomanIniRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.openError = file.errorString();
        return read;
    }
    // 48 records take under a kilobyte; a file far larger is no preference
    // file, and reading it whole could take all the memory there is.
    constexpr qint64 kMaxBytes = 1 << 20;
    read.bytes = whole ? file.readAll() : file.read(kMaxBytes + 1);
    read.usable = file.error() == QFileDevice::NoError && (whole || read.bytes.size() <= kMaxBytes);
    return read;
}

void ApplyRomanIni(KanaRomajiTable& table, const QString& settingsDir) {
    const QString path = RomanIniPath(settingsDir);
    // A directory of that name is no preference file.
    if (!QFileInfo(path).isFile())
        return;
    // Half a file could undo only some of the user's choices; keep the table
    // as it is instead.
    if (const RomanIniRead read = ReadRomanIniFile(path); read.usable)
        ApplyRomanIniBytes(table, read.bytes);
}

QByteArray RomanIniBytes(const QList<RomanIniRecord>& records) {
    QString text;
    for (const RomanIniRecord& record : records) {
        text += u'"' + record.kana + u"\",\""_s + record.spelling + u"\"\r\n"_s;
    }
    return EncodeCp932(text);
}

// Written whole or not at all, so that a crash or a full disk can never
// leave the user with half a file or none. A save cut short earlier may have
// left its temporary beside the file; only such files of our own are removed.
bool WriteRomanIni(const QString& settingsDir, const QList<RomanIniRecord>& records,
                   QString* error) {
    int errorNumber = 0;
    if (!CaptureFileError(errorNumber, [&] { return QDir().mkpath(settingsDir); })) {
        if (error)
            *error = FileErrorReason(errorNumber, QString());
        return false;
    }
    WriteFailure failure;
    if (!WriteWholeFile(RomanIniPath(settingsDir), RomanIniBytes(records), Placement::Replace,
                        &failure)) {
        if (error)
            *error = FileErrorReason(failure.errorNumber, failure.systemText);
        return false;
    }
    RemoveStaleTemporaries(settingsDir, kRomanIniName);
    return true;
}

}  // namespace kanoby
