#include "record/RunRecord.h"

#include <cmath>

namespace kanoby {

namespace {

std::optional<double> PerMinute(const int count, const qint64 ms) {
    if (ms <= 0)
        return std::nullopt;
    return count * 60000.0 / static_cast<double>(ms);
}

}  // namespace

std::optional<double> KanaPerMinute(const RunRecord& run) {
    return PerMinute(run.kana, run.typingMs);
}

std::optional<double> KeysPerMinute(const RunRecord& run) {
    return PerMinute(run.keys, run.typingMs);
}

std::optional<double> AccuracyPercent(const RunRecord& run) {
    const int judged = run.keys + run.misses;
    if (judged <= 0)
        return std::nullopt;
    return run.keys * 100.0 / judged;
}

QString OneDecimal(const std::optional<double> value) {
    // Rounded here, half away from zero, so that 93.75 shows as 93.8 on every platform.
    return value ? QString::number(std::round(*value * 10.0) / 10.0, 'f', 1) : QString();
}

}  // namespace kanoby
