// Reads arbitrary bytes as a word.txt: never a crash, at most 1001 pairs of
// lines no longer than the longest kept, nothing set beyond the count, and
// at most the four messages the reader has.
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/JudgeKeyDown.h"
#include "files/QuestionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kanoby;
    static QuestionList list;
    static const auto* const units = [] {
        auto* table = new KanaRomajiTable;
        table->Build();
        return table;
    }();
    static const auto* const keys = [] {
        auto* table = new KeyTable;
        table->Build();
        return table;
    }();

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList messages;
    ReadQuestions(
        bytes, [](char16_t c) { return IsTypeable(*units, *keys, c); }, list, messages);

    auto fail = [](const char* what) {
        std::fprintf(stderr, "word.txt reader: %s\n", what);
        std::abort();
    };
    if (list.QuestionCount < 0 || list.QuestionCount > kMaxQuestions)
        fail("count out of range");
    for (int i = list.QuestionCount; i < kMaxQuestions; ++i) {
        if (!list.Questions[i].isEmpty() || !list.Readings[i].isEmpty() || list.Skipped[i]) {
            fail("text beyond the count");
        }
    }
    if (messages.size() > 4)
        fail("more than four messages");
    // No line end survives inside a line.
    for (int i = 0; i < list.QuestionCount; ++i) {
        for (const QString* line : {&list.Questions[i], &list.Readings[i]}) {
            if (line->contains(u'\r') || line->contains(u'\n'))
                fail("line end inside a line");
            if (line->size() > kMaxLineLength)
                fail("line too long");
        }
    }
    return 0;
}
