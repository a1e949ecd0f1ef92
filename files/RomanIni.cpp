#include "files/RomanIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringView>
#include <cerrno>
#include <csignal>
#include <string_view>

#include "engine/KanaRomajiTable.h"
#include "files/EngineText.h"
#include "files/FileError.h"
#include "files/TextCodec.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

QString RomanIniPath(const QString& settingsDir) {
    return QDir(settingsDir).filePath(u"Roman.ini"_s);
}

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

void ApplyRomanIni(KanaRomajiTable& table, const QString& settingsDir) {
    const QString path = RomanIniPath(settingsDir);
    // A directory of that name is no preference file.
    if (!QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // 48 records take under a kilobyte; a file far larger is no preference
    // file, and reading it whole could take all the memory there is.
    constexpr qint64 kMaxBytes = 1 << 20;
    const QByteArray bytes = file.read(kMaxBytes + 1);
    // Half a file could undo only some of the user's choices; keep the table
    // as it is instead.
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxBytes)
        return;
    ApplyRomanIniBytes(table, bytes);
}

QByteArray RomanIniBytes(const QList<RomanIniRecord>& records) {
    QString text;
    for (const RomanIniRecord& record : records) {
        text += u'"' + record.kana + u"\",\""_s + record.spelling + u"\"\r\n"_s;
    }
    return EncodeCp932(text);
}

namespace {

// Writes all of `bytes`. Unbuffered, so that a short write is seen here with
// the system's reason: commit() of this Qt reports success even when buffered
// bytes could not all be written out, as on a full disk.
bool WriteAll(QSaveFile& file, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// A save cut short between the temporary file's link and its rename leaves
// it beside Roman.ini, named Roman.ini and six letters or digits; the next
// save clears such leftovers away.
void RemoveLeftovers(const QString& programDir) {
    static const QRegularExpression kLeftover(u"^Roman\\.ini\\.[A-Za-z0-9]{6}$"_s);
    QDir dir(programDir);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (kLeftover.match(name).hasMatch())
            dir.remove(name);
    }
}

}  // namespace

// Writing to a temporary file and renaming it over the old one only when all
// of it is on disk means a crash or a full disk can never leave the user with
// half a file or none.
bool WriteRomanIni(const QString& settingsDir, const QList<RomanIniRecord>& records,
                   QString* error) {
    const QByteArray bytes = RomanIniBytes(records);
    const QString path = RomanIniPath(settingsDir);
#ifdef SIGXFSZ
    // Past a file-size limit a write fails with its reason rather than
    // killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The error is read right after the call that failed, where Qt leaves
    // the system's own; it is cleared before each call so an old one is never
    // taken.
    ClearFileError();
    if (!QDir().mkpath(settingsDir)) {
        if (error)
            *error = FileErrorReason(LastFileError(), QString());
        return false;
    }
    QSaveFile file(path);
    int errorNumber = 0;
    QString systemText;
    const auto noteFailure = [&] {
        errorNumber = LastFileError();
        systemText = file.errorString();
    };
    ClearFileError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        noteFailure();
    } else {
        ClearFileError();
        if (!WriteAll(file, bytes)) {
            noteFailure();
            file.cancelWriting();
        } else {
            ClearFileError();
            if (file.commit()) {
                RemoveLeftovers(settingsDir);
                return true;
            }
            noteFailure();
        }
    }
    // Qt finds these by its own checks, which leave no error behind.
    const QFileInfo existing(path);
    if (existing.isDir())
        errorNumber = EISDIR;
    else if (existing.exists() && !existing.isWritable())
        errorNumber = EACCES;  // a read-only file
    if (error)
        *error = FileErrorReason(errorNumber, systemText);
    return false;
}

}  // namespace kanoby
