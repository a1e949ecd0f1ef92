#include "record/HistoryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringTokenizer>
#include <algorithm>
#include <cerrno>

#include "files/FileError.h"
#include "files/FileLocations.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

constexpr int kFieldCount = 12;

bool Escaped(const char16_t c) {
    return c < 0x20 || c == 0x7F || c == u'%' || c == u' ' || c == u':';
}

QString Escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (Escaped(c.unicode())) {
            out += u'%';
            out += QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

// Only the characters Escape writes as %XX come back; anything else is not ours.
std::optional<QString> Unescape(QStringView text) {
    if (!text.contains(u'%'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            out += text[i];
            continue;
        }
        bool ok = false;
        const uint code = i + 2 < text.size() ? text.mid(i + 1, 2).toUInt(&ok, 16) : 0;
        if (!ok || !Escaped(static_cast<char16_t>(code)))
            return std::nullopt;
        out += QChar(static_cast<char16_t>(code));
        i += 2;
    }
    return out;
}

QString TwoDigits(const int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// 2026-12-08T09:15:02+09:00: the local time and its offset from UTC.
QString FormatStarted(const QDateTime& started) {
    const int offset = started.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return started.toString(u"yyyy-MM-ddTHH:mm:ss"_s) + (offset < 0 ? u'-' : u'+') +
           TwoDigits(minutes / 60) + u':' + TwoDigits(minutes % 60);
}

std::optional<int> Number(QStringView text) {
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    return value <= std::numeric_limits<int>::max() ? std::optional(static_cast<int>(value))
                                                    : std::nullopt;
}

std::optional<QDateTime> ParseStarted(QStringView text) {
    // Fixed width: yyyy-MM-ddTHH:mm:ss±hh:mm
    if (text.size() != 25 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':' || (text[19] != u'+' && text[19] != u'-') ||
        text[22] != u':')
        return std::nullopt;
    const auto y = Number(text.mid(0, 4)), mo = Number(text.mid(5, 2)), d = Number(text.mid(8, 2));
    const auto h = Number(text.mid(11, 2)), mi = Number(text.mid(14, 2)),
               s = Number(text.mid(17, 2));
    const auto oh = Number(text.mid(20, 2)), om = Number(text.mid(23, 2));
    if (!y || !mo || !d || !h || !mi || !s || !oh || !om || *oh > 14 || *om > 59)
        return std::nullopt;
    const QDate date(*y, *mo, *d);
    const QTime time(*h, *mi, *s);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const int offset = (*oh * 3600 + *om * 60) * (text[19] == u'-' ? -1 : 1);
    return QDateTime(date, time, Qt::OffsetFromUTC, offset);
}

// The space-separated items of `field`, each of `parts` colon-separated parts.
template <typename Take>
bool ForEachItem(QStringView field, const int parts, Take take) {
    if (field.isEmpty())
        return true;
    for (const QStringView item : field.split(u' ')) {
        const QList<QStringView> pieces = item.split(u':');
        if (pieces.size() != parts || !take(pieces))
            return false;
    }
    return true;
}

// Whether `text` is as Escape writes it, without building the text.
bool WellEscaped(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        bool ok = false;
        const uint code = i + 2 < text.size() ? text.mid(i + 1, 2).toUInt(&ok, 16) : 0;
        if (!ok || !Escaped(static_cast<char16_t>(code)))
            return false;
        i += 2;
    }
    return true;
}

// Checks the items of `field` as ForEachItem would take them, without
// keeping anything: `numbers` says which parts are numbers. The count of
// items, or -1 when one is not of the shape.
int CheckItems(QStringView field, const int parts, const std::initializer_list<int> numbers) {
    if (field.isEmpty())
        return 0;
    int items = 0;
    for (const QStringView item : QStringTokenizer(field, u' ')) {
        int part = 0;
        for (const QStringView piece : QStringTokenizer(item, u':')) {
            if (part >= parts)
                return -1;
            const bool number = std::find(numbers.begin(), numbers.end(), part) != numbers.end();
            if (number ? !Number(piece) : !WellEscaped(piece))
                return -1;
            ++part;
        }
        if (part != parts)
            return -1;
        ++items;
    }
    return items;
}

std::optional<RunRecord> ParseFields(const QList<QStringView>& f, const bool details,
                                     const QString* previousList) {
    if (f.size() != kFieldCount || f[0] != u"run1")
        return std::nullopt;
    RunRecord run;
    const std::optional<QDateTime> started = ParseStarted(f[1]);
    if (!started)
        return std::nullopt;
    run.started = *started;
    if (f[2] == u"romaji")
        run.mode = RecordedMode::Romaji;
    else if (f[2] == u"kana")
        run.mode = RecordedMode::Kana;
    else
        return std::nullopt;
    if (f[3] == u"all")
        run.kind = RunKind::AllQuestions;
    else if (f[3] == u"missed")
        run.kind = RunKind::MissedQuestions;
    else
        return std::nullopt;
    const auto questions = Number(f[4]), kana = Number(f[5]), keys = Number(f[6]),
               misses = Number(f[7]);
    const auto typingMs = f[8].size() <= 15 && Number(f[8].left(1)) ? f[8].toLongLong() : -1;
    // Runs in a row mostly share their list: the one before is taken again.
    std::optional<QString> list;
    if (previousList != nullptr && f[9] == *previousList && !f[9].contains(u'%'))
        list = *previousList;
    else
        list = Unescape(f[9]);
    if (!questions || !kana || !keys || !misses || typingMs < 0 || !list || list->isEmpty())
        return std::nullopt;
    run.questions = *questions;
    run.kana = *kana;
    run.keys = *keys;
    run.misses = *misses;
    run.typingMs = typingMs;
    run.list = std::move(*list);
    if (!details) {
        // Checked as thoroughly, but nothing kept.
        if (CheckItems(f[10], 2, {1}) < 0 || CheckItems(f[11], 5, {0, 1}) != run.misses)
            return std::nullopt;
        return run;
    }
    const bool countsRead = ForEachItem(f[10], 2, [&](const QList<QStringView>& p) {
        std::optional<QString> k = Unescape(p[0]);
        const std::optional<int> count = Number(p[1]);
        if (!k || !count)
            return false;
        run.kanaCounts.push_back(KanaCount{std::move(*k), *count});
        return true;
    });
    const bool missesRead = ForEachItem(f[11], 5, [&](const QList<QStringView>& p) {
        const std::optional<int> question = Number(p[0]), position = Number(p[1]);
        std::optional<QString> k = Unescape(p[2]), key = Unescape(p[3]), guide = Unescape(p[4]);
        if (!question || !position || !k || !key || !guide)
            return false;
        run.missList.push_back(
            Miss{*question, *position, std::move(*k), std::move(*key), std::move(*guide)});
        return true;
    });
    // The misses listed are the misses counted, or the line is not ours.
    if (!countsRead || !missesRead || run.missList.size() != static_cast<std::size_t>(run.misses))
        return std::nullopt;
    return run;
}

QString ReasonFor(const int errorNumber, const QString& systemText) {
    return FileErrorReason(errorNumber, systemText);
}

}  // namespace

QString HistoryFilePath(const QString& questionDir) {
    return QDir(questionDir).filePath(QString::fromUtf16(kHistoryFileName));
}

QByteArray FormatRunLine(const RunRecord& run) {
    QStringList counts;
    for (const KanaCount& count : run.kanaCounts)
        counts << Escape(count.kana) + u':' + QString::number(count.count);
    QStringList misses;
    for (const Miss& miss : run.missList) {
        misses << QString::number(miss.question) + u':' + QString::number(miss.position) + u':' +
                      Escape(miss.kana) + u':' + Escape(miss.key) + u':' + Escape(miss.guide);
    }
    const QStringList fields{
        u"run1"_s,
        FormatStarted(run.started),
        run.mode == RecordedMode::Romaji ? u"romaji"_s : u"kana"_s,
        run.kind == RunKind::AllQuestions ? u"all"_s : u"missed"_s,
        QString::number(run.questions),
        QString::number(run.kana),
        QString::number(run.keys),
        QString::number(run.misses),
        QString::number(run.typingMs),
        Escape(run.list),
        counts.join(u' '),
        misses.join(u' '),
    };
    return fields.join(u'\t').toUtf8() + '\n';
}

namespace {

std::optional<RunRecord> ParseLine(QByteArrayView line, const bool details,
                                   const QString* previousList = nullptr) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(line);
    if (decoder.hasError())
        return std::nullopt;
    return ParseFields(QStringView(text).split(u'\t'), details, previousList);
}

}  // namespace

std::optional<RunRecord> ParseRunLine(QByteArrayView line) {
    return ParseLine(line, true);
}

History ParseHistory(QByteArrayView bytes, const bool startsMidLine, const int keepMissesOf) {
    History history;
    // Every line is checked whole, but the kana counts and the misses are
    // kept only for the runs that need them, read again at the end.
    std::vector<QByteArrayView> lines;
    QHash<QString, std::size_t> lastOfList;
    qsizetype start = 0;
    if (startsMidLine) {
        const qsizetype end = bytes.indexOf('\n');
        start = end < 0 ? bytes.size() : end + 1;
    }
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            history.cutLastLine = true;
            break;
        }
        QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        std::optional<RunRecord> run =
            ParseLine(line, false, history.runs.empty() ? nullptr : &history.runs.back().list);
        if (!run) {
            ++history.junkLines;
            continue;
        }
        // One copy of each list's path.
        if (const auto known = lastOfList.find(run->list); known != lastOfList.end())
            run->list = history.runs[known.value()].list;
        lastOfList.insert(run->list, history.runs.size());
        history.runs.push_back(std::move(*run));
        lines.push_back(line);
    }
    const std::size_t window = static_cast<std::size_t>(std::max(keepMissesOf, 0));
    const std::size_t count = history.runs.size();
    const auto detail = [&](const std::size_t index) {
        std::optional<RunRecord> full = ParseLine(lines[index], true);
        if (!full)
            return;
        history.runs[index].kanaCounts = std::move(full->kanaCounts);
        history.runs[index].missList = std::move(full->missList);
    };
    for (std::size_t index = count - std::min(window, count); index < count; ++index)
        detail(index);
    for (const std::size_t index : lastOfList) {
        if (index + window < count)
            detail(index);
    }
    return history;
}

History ReadHistory(const QString& path, const qint64 cap, const int keepMissesOf) {
    QFile file(path);
    if (!file.exists())
        return {};
    ClearFileError();
    if (!file.open(QIODevice::ReadOnly)) {
        History history;
        history.error =
            QCoreApplication::translate("kanoby::HistoryFile", "記録を読み込めません：") +
            ShownPath(path) + u'\n' + ReasonFor(LastFileError(), file.errorString());
        return history;
    }
    const qint64 size = file.size();
    bool startsMidLine = false;
    qint64 leftOut = 0;
    if (size > cap) {
        // The byte before the part read says whether it begins a line.
        leftOut = size - cap;
        file.seek(leftOut - 1);
        char before = '\n';
        file.getChar(&before);
        startsMidLine = before != '\n';
    }
    ClearFileError();
    const QByteArray bytes = file.read(cap);
    if (bytes.size() != size - leftOut && file.error() != QFileDevice::NoError) {
        History history;
        history.error =
            QCoreApplication::translate("kanoby::HistoryFile", "記録を読み込めません：") +
            ShownPath(path) + u'\n' + ReasonFor(LastFileError(), file.errorString());
        return history;
    }
    History history = ParseHistory(bytes, startsMidLine, keepMissesOf);
    history.leftOutBytes = leftOut;
    return history;
}

bool AppendRun(const QString& path, const RunRecord& run, QString* error) {
    const auto fail = [&](const int errorNumber, const QString& systemText) {
        if (error) {
            *error =
                QCoreApplication::translate("kanoby::HistoryFile", "記録を保存できませんでした：") +
                ShownPath(path) + u'\n' + ReasonFor(errorNumber, systemText);
        }
        return false;
    };
    QDir().mkpath(QFileInfo(path).path());
    // Two windows ending runs at once take turns: neither line is torn.
    QLockFile lock(path + u".lock"_s);
    ClearFileError();
    if (!lock.tryLock(5000)) {
        const int errorNumber = LastFileError();
        return fail(
            errorNumber != 0 ? errorNumber
                             : (lock.error() == QLockFile::PermissionError ? EACCES : 0),
            QCoreApplication::translate("kanoby::HistoryFile", "ロックファイルを作れません。"));
    }
    QFile file(path);
    ClearFileError();
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return fail(LastFileError(), file.errorString());
    QByteArray bytes = FormatRunLine(run);
    // A line cut by a kill or a full disk stays as it is; this run starts afresh.
    if (const qint64 size = file.size(); size > 0) {
        char last = '\n';
        if (file.seek(size - 1) && file.getChar(&last) && last != '\n')
            bytes.prepend('\n');
    }
    ClearFileError();
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush())
        return fail(LastFileError(), file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(LastFileError(), file.errorString());
    return true;
}

bool ClearHistory(const QString& path, QString* error) {
    QLockFile lock(path + u".lock"_s);
    lock.tryLock(5000);
    QFile file(path);
    ClearFileError();
    if (!file.exists() || file.remove())
        return true;
    if (error) {
        *error = QCoreApplication::translate("kanoby::HistoryFile", "記録を消せませんでした：") +
                 ShownPath(path) + u'\n' + ReasonFor(LastFileError(), file.errorString());
    }
    return false;
}

}  // namespace kanoby
