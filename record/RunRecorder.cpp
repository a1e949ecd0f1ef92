#include "record/RunRecorder.h"

namespace kanoby {

void RunRecorder::Begin(const QDateTime& started, const QString& list, const RunKind kind) {
    run_ = RunRecord{};
    run_.started = started;
    run_.list = list;
    run_.kind = kind;
    kanaCounts_.clear();
    questionStart_.reset();
    missedPositions_.clear();
    reading_.clear();
    recording_ = true;
}

void RunRecorder::Question(const int question, const QString& reading) {
    question_ = question;
    reading_ = reading;
    questionStart_.reset();
    missedPositions_.clear();
}

void RunRecorder::Touch(const qint64 nowMs) {
    if (!questionStart_)
        questionStart_ = nowMs;
}

// Counts the kana before position `upTo` and those missed at or after it.
void RunRecorder::CountKana(const int upTo) {
    for (int pos = 1; pos <= reading_.size(); ++pos) {
        if (pos < upTo || missedPositions_.contains(pos))
            ++kanaCounts_[reading_.mid(pos - 1, 1)];
    }
}

void RunRecorder::Accepted(const qint64 nowMs, const bool readingDone) {
    if (!recording_)
        return;
    Touch(nowMs);
    ++run_.keys;
    if (!readingDone)
        return;
    ++run_.questions;
    run_.kana += static_cast<int>(reading_.size());
    run_.typingMs += nowMs - *questionStart_;
    CountKana(static_cast<int>(reading_.size()) + 1);
    questionStart_.reset();
    missedPositions_.clear();
    reading_.clear();
}

void RunRecorder::Rejected(const qint64 nowMs, const int position, const QString& key,
                           const QString& guide) {
    if (!recording_)
        return;
    Touch(nowMs);
    ++run_.misses;
    missedPositions_.insert(position);
    run_.missList.push_back(Miss{question_, position, reading_.mid(position - 1, 1), key, guide});
}

std::optional<RunRecord> RunRecorder::End(const qint64 nowMs, const RecordedMode mode,
                                          const int readPos) {
    if (!recording_)
        return std::nullopt;
    recording_ = false;
    if (questionStart_) {
        run_.typingMs += nowMs - *questionStart_;
        CountKana(readPos);
    }
    if (run_.keys + run_.misses == 0)
        return std::nullopt;
    run_.mode = mode;
    for (const auto& [kana, count] : kanaCounts_)
        run_.kanaCounts.push_back(KanaCount{kana, count});
    return std::move(run_);
}

}  // namespace kanoby
