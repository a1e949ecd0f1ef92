#include "record/HistoryReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "files/FileError.h"
#include "files/FileLocations.h"
#include "files/WholeFile.h"

namespace kanoby {

using namespace Qt::StringLiterals;

std::vector<const RunRecord*> RunsOf(const History& history, const QString& list) {
    std::vector<const RunRecord*> runs;
    for (const RunRecord& run : history.runs) {
        if (list.isEmpty() || run.list == list)
            runs.push_back(&run);
    }
    return runs;
}

std::vector<WeakKana> RankWeakKana(const std::vector<const RunRecord*>& runs, const int limit) {
    struct Tally {
        WeakKana weak;
        std::map<QString, int> keys;
    };
    std::map<QString, Tally> tallies;
    for (const RunRecord* run : runs) {
        for (const KanaCount& count : run->kanaCounts)
            tallies[count.kana].weak.times += count.count;
        std::set<std::pair<int, int>> missedPlaces;
        for (const Miss& miss : run->missList) {
            Tally& tally = tallies[miss.kana];
            ++tally.weak.misses;
            ++tally.keys[miss.key];
            if (missedPlaces.insert({miss.question, miss.position}).second)
                ++tally.weak.missedTimes;
        }
    }
    std::vector<WeakKana> ranked;
    for (auto& [kana, tally] : tallies) {
        if (tally.weak.misses == 0)
            continue;
        tally.weak.kana = kana;
        // A place missed was reached even when the run ended there.
        tally.weak.times = std::max(tally.weak.times, tally.weak.missedTimes);
        std::vector<std::pair<QString, int>> keys(tally.keys.begin(), tally.keys.end());
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        for (std::size_t k = 0; k < keys.size() && k < 3; ++k)
            tally.weak.insteadKeys << keys[k].first;
        ranked.push_back(std::move(tally.weak));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const WeakKana& a, const WeakKana& b) {
        if (a.misses != b.misses)
            return a.misses > b.misses;
        return a.MissRatePercent() > b.MissRatePercent();
    });
    if (ranked.size() > static_cast<std::size_t>(std::max(limit, 0)))
        ranked.resize(static_cast<std::size_t>(std::max(limit, 0)));
    return ranked;
}

std::set<int> MissedQuestions(const History& history, const QString& list) {
    std::set<int> questions;
    for (auto run = history.runs.rbegin(); run != history.runs.rend(); ++run) {
        if (run->list != list)
            continue;
        for (const Miss& miss : run->missList)
            questions.insert(miss.question);
        break;
    }
    return questions;
}

namespace {

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    return u'"' + quoted.replace(u'"', u"\"\""_s) + u'"';
}

}  // namespace

QByteArray HistoryCsv(const History& history) {
    QByteArray csv("\xEF\xBB\xBF");
    csv +=
        "started,list,mode,questions,kana,keys,misses,seconds,kana_per_min,keys_per_min,"
        "accuracy\r\n";
    for (const RunRecord& run : history.runs) {
        const QStringList fields{
            run.started.toString(Qt::ISODate),
            CsvField(QFileInfo(run.list).fileName()),
            run.mode == RecordedMode::Romaji ? u"romaji"_s : u"kana"_s,
            QString::number(run.questions),
            QString::number(run.kana),
            QString::number(run.keys),
            QString::number(run.misses),
            QString::number(static_cast<double>(run.typingMs) / 1000.0, 'f', 3),
            OneDecimal(KanaPerMinute(run)),
            OneDecimal(KeysPerMinute(run)),
            OneDecimal(AccuracyPercent(run)),
        };
        csv += fields.join(u',').toUtf8() + "\r\n";
    }
    return csv;
}

bool ExportHistory(const History& history, const QString& csvPath, QString* error) {
    WriteFailure failure;
    if (WriteWholeFile(csvPath, HistoryCsv(history), Placement::Replace, &failure))
        return true;
    if (error) {
        *error = QCoreApplication::translate("Record", "書き出せませんでした：") +
                 ShownPath(csvPath) + u'\n' +
                 FileErrorReason(failure.errorNumber, failure.systemText);
    }
    return false;
}

QString SkippedNote(const History& history) {
    QStringList notes;
    if (history.leftOutBytes > 0) {
        notes << QCoreApplication::translate("Record",
                                             "記録が大きいため、古い %1 バイトは読みませんでした。")
                     .arg(history.leftOutBytes);
    }
    if (history.junkLines > 0) {
        notes << QCoreApplication::translate("Record", "記録でない %1 行を読み飛ばしました。")
                     .arg(history.junkLines);
    }
    if (history.cutLastLine) {
        notes << QCoreApplication::translate("Record", "途中で切れた最後の行を読み飛ばしました。");
    }
    return notes.join(u'\n');
}

}  // namespace kanoby
