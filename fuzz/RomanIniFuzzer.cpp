// Applies arbitrary bytes as a Roman.ini and stops when the kana–romaji table
// breaks one of its rules afterwards.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/KanaRomajiTable.h"
#include "files/RomanIni.h"
#include "fuzz/TableInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kanoby;
    static const KanaRomajiTable initial = [] {
        KanaRomajiTable table;
        table.Build();
        return table;
    }();
    // Each input starts from the initial order, so a crash file reproduces
    // on its own; an input of many records reaches the orders in between.
    static KanaRomajiTable table;
    table = initial;

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ApplyRomanIniBytes(table, bytes);
    const std::string fault = TableInvariantFault(table, initial);
    if (!fault.empty()) {
        std::fprintf(stderr, "table broken after Roman.ini bytes: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
