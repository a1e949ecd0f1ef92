// kanoby-trace: drives the typing engine from the command line and prints the
// typing state after every key, for tests and bug reports.
//
//   kanoby-trace [--kana] [--roman-ini FILE] [--] READING [KEY ...]
//   kanoby-trace [--kana] [--roman-ini FILE] --type TEXT [--] READING
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Judge.h"
#include "engine/KeyTable.h"

namespace kanoby {

// Parses "[Shift+][Ctrl+][Alt+]NAME" or "#N"; nullopt when it is neither.
std::optional<KeyStroke> ParseKeyName(std::string_view text);

// The key as a trace writes it, "Shift+A" for instance.
std::string KeyName(const KeyStroke& key);

// One tab-separated row: key, verdict, then the typing state.
std::string TraceRow(std::string_view key, std::string_view verdict, const Judge& judge);

inline constexpr std::string_view kTraceHeader =
    "key\tverdict\tReadPos\tUnitKeys\tUnitRest\tGuideText\tTypedKeys\tReadingDone";

// Applies the Roman.ini file at `path` to `table`; returns what went wrong, or
// an empty string.
std::string ApplyPreferenceFile(KanaRomajiTable& table, const std::string& path);

// Runs a trace for the command-line arguments `args` (without the program
// name). Returns the exit code: 0, or 2 after a usage error on `err`.
int RunTrace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kanoby
