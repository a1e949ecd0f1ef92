// One stored run and its figures.
//
//   {questions: 3, kana: 21, keys: 30, misses: 2, typingMs: 15000}
//   → 84.0 kana/min, 120.0 keys/min, accuracy 93.8 %
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace kanoby {

enum class RecordedMode { Romaji, Kana };

enum class RunKind {
    AllQuestions,    // every question of the list
    MissedQuestions  // only those missed in the list's last run
};

// A rejected key: where it fell and what it was.
struct Miss {
    int question = 0;  // 0-based index of the question in its list file
    int position = 0;  // 1-based position of the kana in the reading
    QString kana;      // the kana being typed
    QString key;       // what the key types (romaji) or its kana key (kana)
    QString guide;     // the key the guide showed next
};

// How often a kana was reached in a run: typed to its end, or left while
// missed there.
struct KanaCount {
    QString kana;
    int count = 0;
};

struct RunRecord {
    QDateTime started;  // local time, with its offset from UTC
    QString list;       // the word list's path
    RecordedMode mode = RecordedMode::Romaji;
    RunKind kind = RunKind::AllQuestions;
    int questions = 0;  // completed
    int kana = 0;       // characters of the completed readings
    int keys = 0;       // accepted
    int misses = 0;     // rejected
    qint64 typingMs = 0;
    std::vector<KanaCount> kanaCounts;
    // Freed for older runs when a history is read: see HistoryFile.h.
    std::vector<Miss> missList;
};

// The figures, none when the typing time is zero (a run of one key).
std::optional<double> KanaPerMinute(const RunRecord& run);
std::optional<double> KeysPerMinute(const RunRecord& run);
// Accepted keys ÷ all judged keys, in percent; none without a key.
std::optional<double> AccuracyPercent(const RunRecord& run);

// A figure with one decimal and "." as the decimal point; "" for none.
QString OneDecimal(std::optional<double> value);

}  // namespace kanoby
