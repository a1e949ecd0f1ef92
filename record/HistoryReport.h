// What the record window and the export make of a history.
#pragma once

#include <QByteArray>
#include <QString>
#include <set>
#include <vector>

#include "record/HistoryFile.h"

namespace kanoby {

// A kana the learner often misses, over some runs.
struct WeakKana {
    QString kana;
    int misses = 0;           // rejected keys while typing it
    int missedTimes = 0;      // times it was reached and had at least one miss
    int times = 0;            // times it was reached
    QStringList insteadKeys;  // the keys most often pressed instead, up to three

    double MissRatePercent() const { return times > 0 ? missedTimes * 100.0 / times : 0.0; }
};

// The runs of `list`, or all of them when `list` is empty, oldest first.
std::vector<const RunRecord*> RunsOf(const History& history, const QString& list);

// The kana most often missed in `runs`, most misses first (then the higher
// miss rate, then the kana), up to `limit`.
std::vector<WeakKana> RankWeakKana(const std::vector<const RunRecord*>& runs, int limit = 10);

// The questions (0-based, in the list file) that had a rejected key in the
// last run of `list`.
std::set<int> MissedQuestions(const History& history, const QString& list);

// The runs as CSV: UTF-8 with a BOM, CR LF, RFC 4180 quoting, the columns
// started,list,mode,questions,kana,keys,misses,seconds,kana_per_min,keys_per_min,accuracy
QByteArray HistoryCsv(const History& history);

// Writes HistoryCsv through a temporary file and a rename. False, with the
// reason for the user, when it cannot.
bool ExportHistory(const History& history, const QString& csvPath, QString* error);

// A note for the user of what a read left out; empty when nothing was.
QString SkippedNote(const History& history);

}  // namespace kanoby
