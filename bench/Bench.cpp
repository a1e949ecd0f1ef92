// Speed of the typing engine: showing a question and judging keystrokes,
// guide rebuild included, in both input modes; and a key with the window's
// drawing of it; storing a run and opening the record window on a long
// history.
//
//   kanoby-bench [--corpus=FILE] [benchmark options]
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "engine/Judge.h"
#include "engine/JudgeKeyDown.h"
#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "engine/Utf8.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgressPicture.h"
#include "platform/MessageBox.h"
#include "record/HistoryFile.h"
#include "recordwindow/RecordWindow.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

std::string gCorpusPath = KANOBY_BENCH_CORPUS;

struct Engine {
    Engine() {
        keys.Build();
        table.Build();
    }
    KeyTable keys;
    KanaRomajiTable table;
};

const std::u16string kTypicalReading = u"きょうはいいてんきですね、しゃしんをとりにいきましょう";

// A reading of `length` characters of kana that exercise every rule.
std::u16string LongReading(std::size_t length) {
    const std::u16string pattern = u"がっこうでしゃしんをとった、ちょっとまってください。";
    std::u16string reading;
    while (reading.size() < length)
        reading += pattern;
    reading.resize(length);
    return reading;
}

// Presses the key of the guide's first character; false if it was not
// accepted.
bool TypeGuideKey(const Engine& engine, Judge& judge, InputMode mode) {
    const std::optional<KeyStroke> key = KeyTyping(engine.keys, judge.GuideText[0]);
    const KeyVerdict verdict =
        key ? JudgeKeyDown(engine.keys, judge, key->keyCode, key->shift, mode)
            : KeyVerdict::NotInTable;
    return verdict == KeyVerdict::Accepted || verdict == KeyVerdict::ReadingComplete;
}

void BM_ShowQuestion(benchmark::State& state, const std::u16string& reading, InputMode mode) {
    Engine engine;
    Judge judge(engine.table);
    for (auto _ : state) {
        judge.StartQuestion(reading, mode);
        benchmark::DoNotOptimize(judge.GuideText.data());
    }
}

// Types `reading` over and over by pressing the key of the guide's first
// character, so that every keystroke is an accepted one with a full rebuild.
void BM_Keystroke(benchmark::State& state, const std::u16string& reading, InputMode mode) {
    Engine engine;
    Judge judge(engine.table);
    judge.StartQuestion(reading, mode);
    std::int64_t keystrokes = 0;
    for (auto _ : state) {
        if (judge.ReadPos == judge.Reading.size() + 1) {
            state.PauseTiming();
            judge.StartQuestion(reading, mode);
            state.ResumeTiming();
        }
        if (!TypeGuideKey(engine, judge, mode)) {
            state.SkipWithError("the guide's key was not accepted");
            break;
        }
        ++keystrokes;
    }
    state.SetItemsProcessed(keystrokes);
}

// One key ten characters before the end of the longest reading a line holds,
// and the window drawing and painting the picture of it: what a key costs
// the user however much of the reading lies off screen.
void BM_KeyWithDrawing(benchmark::State& state, InputMode mode) {
    static Engine engine;
    // Typed there once; each key starts from a copy.
    static Judge typedRomaji(engine.table), typedKana(engine.table);
    Judge& typed = mode == InputMode::Romaji ? typedRomaji : typedKana;
    if (typed.Reading.empty()) {
        const std::u16string reading = LongReading(32767);
        typed.StartQuestion(reading, mode);
        while (typed.ReadPos + 10 < reading.size() && TypeGuideKey(engine, typed, mode)) {
        }
    }
    QTemporaryDir dir;  // no word.txt: only the picture is wanted
    struct : MessageBoxes {
        void Show(QWidget*, const QString&) override {}
    } boxes;
    MainWindow window(FileLocations{dir.path(), dir.path()}, boxes);
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        Judge judge(typed);
        state.ResumeTiming();
        if (!TypeGuideKey(engine, judge, mode)) {
            state.SkipWithError("the guide's key was not accepted");
            break;
        }
        window.DrawTypingProgress(judge);
        window.progressPicture->repaint();
    }
}

// A run as a learner's: ten questions, a few misses.
RunRecord SampleRun(const int number, const QString& list) {
    RunRecord run;
    run.started = QDateTime(QDate(2026, 1, 1), QTime(9, 0)).addSecs(number * 60L);
    run.list = list;
    run.questions = 10;
    run.kana = 120;
    run.keys = 260;
    run.misses = 3;
    run.typingMs = 60000 + number % 30000;
    run.kanaCounts = {{u"か"_s, 12}, {u"し"_s, 9}, {u"つ"_s, 5}, {u"ん"_s, 7}};
    for (int k = 0; k < run.misses; ++k)
        run.missList.push_back(Miss{k, 2, u"し"_s, u"c"_s, u"s"_s});
    return run;
}

// The bytes the heap holds for the program now.
double HeapBytes() {
    return static_cast<double>(mallinfo2().uordblks);
}

void BM_StoreRun(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = HistoryFilePath(dir.path());
    const RunRecord run = SampleRun(0, dir.filePath(u"word.txt"_s));
    for (auto _ : state) {
        QString error;
        if (!AppendRun(path, run, &error)) {
            state.SkipWithError("the run was not stored");
            break;
        }
    }
}

// The record window opened on a history of 100,000 runs of two lists: read,
// ranked and drawn. memory_mb is what the heap holds more while the window
// is open; the file's bytes, read at once, are held only while it is read.
void BM_OpenRecordWindow(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = HistoryFilePath(dir.path());
    const QString list = dir.filePath(u"word.txt"_s);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the history");
            return;
        }
        for (int k = 0; k < state.range(0); ++k)
            file.write(
                FormatRunLine(SampleRun(k, k % 3 == 0 ? dir.filePath(u"other.txt"_s) : list)));
    }
    struct : MessageBoxes {
        void Show(QWidget*, const QString&) override {}
    } boxes;
    double added = 0;
    for (auto _ : state) {
        const double before = HeapBytes();
        RecordWindow window(path, list, boxes);
        window.show();
        window.repaint();
        added = std::max(added, HeapBytes() - before);
    }
    state.counters["memory_mb"] = added / (1024 * 1024);
}

struct CorpusLine {
    std::u16string reading;
    std::vector<KeyStroke> keys;
};

std::optional<std::vector<CorpusLine>> LoadCorpus(const KeyTable& keyTable, std::string& error) {
    std::ifstream file(gCorpusPath);
    if (!file) {
        error = "cannot read corpus " + gCorpusPath;
        return std::nullopt;
    }
    std::vector<CorpusLine> corpus;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            error = gCorpusPath + ":" + std::to_string(number) + ": no tab";
            return std::nullopt;
        }
        CorpusLine entry{ToUtf16(line.substr(0, tab)), {}};
        for (const char16_t c : ToUtf16(line.substr(tab + 1))) {
            const std::optional<KeyStroke> key = KeyTyping(keyTable, c);
            if (!key) {
                error = gCorpusPath + ":" + std::to_string(number) + ": no key types a character";
                return std::nullopt;
            }
            entry.keys.push_back(*key);
        }
        corpus.push_back(std::move(entry));
    }
    if (corpus.empty())
        error = "corpus " + gCorpusPath + " is empty";
    return corpus.empty() ? std::nullopt : std::optional(std::move(corpus));
}

// Replays the corpus: each line shown as a question and typed key by key
// through the key table and the romaji judge.
void BM_Corpus(benchmark::State& state) {
    Engine engine;
    std::string error;
    const std::optional<std::vector<CorpusLine>> corpus = LoadCorpus(engine.keys, error);
    if (!corpus) {
        state.SkipWithError(error.c_str());
        return;
    }
    Judge judge(engine.table);
    std::int64_t keystrokes = 0;
    std::int64_t rejected = 0;
    for (auto _ : state) {
        for (const CorpusLine& line : *corpus) {
            judge.StartQuestion(line.reading, InputMode::Romaji);
            for (const KeyStroke& key : line.keys) {
                rejected += JudgeKeyDown(engine.keys, judge, key.keyCode, key.shift,
                                         InputMode::Romaji) == KeyVerdict::Rejected;
            }
            keystrokes += static_cast<std::int64_t>(line.keys.size());
        }
    }
    state.SetItemsProcessed(keystrokes);
    state.counters["rejected"] = static_cast<double>(rejected);
}

const std::u16string kLongReading = LongReading(32766);

BENCHMARK_CAPTURE(BM_ShowQuestion, romaji_typical, kTypicalReading, InputMode::Romaji);
BENCHMARK_CAPTURE(BM_ShowQuestion, kana_typical, kTypicalReading, InputMode::Kana);
BENCHMARK_CAPTURE(BM_ShowQuestion, romaji_32766, kLongReading, InputMode::Romaji);
BENCHMARK_CAPTURE(BM_ShowQuestion, kana_32766, kLongReading, InputMode::Kana);
BENCHMARK_CAPTURE(BM_Keystroke, romaji_typical, kTypicalReading, InputMode::Romaji);
BENCHMARK_CAPTURE(BM_Keystroke, kana_typical, kTypicalReading, InputMode::Kana);
BENCHMARK_CAPTURE(BM_Keystroke, romaji_32766, kLongReading, InputMode::Romaji);
BENCHMARK_CAPTURE(BM_Keystroke, kana_32766, kLongReading, InputMode::Kana);
BENCHMARK(BM_Corpus);
BENCHMARK_CAPTURE(BM_KeyWithDrawing, romaji_32767, InputMode::Romaji);
BENCHMARK_CAPTURE(BM_KeyWithDrawing, kana_32767, InputMode::Kana);
BENCHMARK(BM_StoreRun);
BENCHMARK(BM_OpenRecordWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kanoby

int main(int argc, char** argv) {
    // The window draws offscreen unless a display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        constexpr const char* kCorpusFlag = "--corpus=";
        if (std::strncmp(argv[i], kCorpusFlag, std::strlen(kCorpusFlag)) == 0) {
            kanoby::gCorpusPath = argv[i] + std::strlen(kCorpusFlag);
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
