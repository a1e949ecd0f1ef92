// The history: kanoby-history.txt in word.txt's folder, one run a line,
// UTF-8, LF, tab-separated, appended to and never rewritten:
//
//   run1 started mode kind questions kana keys misses typing-ms list kana-counts misses
//
//   run1	2026-12-08T09:15:02+09:00	romaji	all	2	7	12	1	5250
//   /home/u/.local/share/kanoby/word.txt	か:2 こ:1 …	0:2:か:x:k
//
// kind is `all` or `missed`; kana-counts are `kana:count` and misses
// `question:position:kana:key:guide` (question 0-based in the list file),
// each separated by spaces. In the text fields %, tab, CR, LF, space, colon
// and the other control characters are written %XX.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "record/RunRecord.h"

namespace kanoby {

inline constexpr char16_t kHistoryFileName[] = u"kanoby-history.txt";

// Past this many bytes only the newest part of the file is read.
inline constexpr qint64 kHistoryReadCap = 32 * 1024 * 1024;

QString HistoryFilePath(const QString& questionDir);

// One run as its line, LF included; and a line (without its LF) as a run.
QByteArray FormatRunLine(const RunRecord& run);
std::optional<RunRecord> ParseRunLine(QByteArrayView line);

struct History {
    std::vector<RunRecord> runs;  // oldest first
    int junkLines = 0;            // lines not of a run, skipped
    bool cutLastLine = false;     // a last line without its end, skipped
    qint64 leftOutBytes = 0;      // older bytes past the cap, not read
    QString error;                // why the file could not be read; empty if it could
};

// Reads the history in `path` (none there is an empty history). Every run
// keeps its figures; the kana counts and the misses are kept for the last
// `keepMissesOf` runs and for the last run of each list only, so that a long
// history stays small in memory and quick to read.
History ReadHistory(const QString& path, qint64 cap = kHistoryReadCap, int keepMissesOf = 100);

// Parses `bytes`, the newest part of a history; `startsMidLine` when its
// first line is the tail of a line cut off by the cap.
History ParseHistory(QByteArrayView bytes, bool startsMidLine, int keepMissesOf = 100);

// Appends `run` under a lock file beside `path`, after a line end if the
// file's last line was cut. False, with the reason for the user, when it
// cannot.
bool AppendRun(const QString& path, const RunRecord& run, QString* error);

// Removes the history (記録を消す). False, with the reason, when it cannot.
bool ClearHistory(const QString& path, QString* error);

}  // namespace kanoby
