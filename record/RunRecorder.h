// The run being recorded. The window tells it what happens, with the time
// from a monotonic clock in milliseconds; it keeps everything in memory and
// hands the run over when it ends. Nothing is written during a run.
//
// Typing time counts, for each question, from its first key (accepted or
// rejected) to the key that completes it, or to the end of the run for the
// question left unfinished: reading a question and pausing between questions
// do not count.
#pragma once

#include <QDateTime>
#include <QString>
#include <map>
#include <optional>
#include <set>

#include "record/RunRecord.h"

namespace kanoby {

class RunRecorder {
  public:
    void Begin(const QDateTime& started, const QString& list, RunKind kind);
    // The question with index `question` in its list, reading `reading`, is shown.
    void Question(int question, const QString& reading);
    // An accepted key at `nowMs`; `readingDone`: it completed the reading.
    void Accepted(qint64 nowMs, bool readingDone);
    // A rejected key at `nowMs` while the kana at `position` was being typed.
    void Rejected(qint64 nowMs, int position, const QString& key, const QString& guide);
    // The run ended at `nowMs` in `mode`, having reached `readPos` in the
    // unfinished question; none when no key was pressed.
    std::optional<RunRecord> End(qint64 nowMs, RecordedMode mode, int readPos);

    bool Recording() const { return recording_; }

  private:
    void Touch(qint64 nowMs);
    void CountKana(int upTo);

    bool recording_ = false;
    RunRecord run_;
    QString reading_;
    int question_ = 0;
    std::optional<qint64> questionStart_;
    std::set<int> missedPositions_;  // in the question being typed
    std::map<QString, int> kanaCounts_;
};

}  // namespace kanoby
