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

#include "judge/Judge.h"

namespace kanoby {

class CodeChangeTableSet;
class CodeChage;
class Judge;
class JudgeTableSet;

struct KeyStroke {
    int keyCode = 0;
    int shift = 0;
};

// Parses "[Shift+][Ctrl+][Alt+]NAME" or "#N"; nullopt when it is neither.
std::optional<KeyStroke> ParseKeyName(std::string_view text);

// The key as a trace writes it, "Shift+A" for instance.
std::string KeyName(const KeyStroke& key);

// The key-down that types `c`: the first row of the key table whose character
// is `c`, failing that the first whose kana is `c`.
std::optional<KeyStroke> KeyTyping(const CodeChangeTableSet& keys, char16_t c);

// Hands one key-down to the engine as the window does while a run is active:
// the key table, then the judge of `mode`. Returns "ignored" for a key the
// table does not hold, else "accepted" or "rejected".
std::string_view JudgeKey(CodeChage& lookup, Judge& judge, const KeyStroke& key, InputMode mode);

// One tab-separated row: key, verdict, then the typing state.
std::string TraceRow(std::string_view key, std::string_view verdict, const Judge& judge);

inline constexpr std::string_view kTraceHeader =
    "key\tverdict\tReadPos\tUnitKeys\tUnitRest\tGuideText\tTypedKeys\tReadingDone";

// Applies the Roman.ini file at `path` to `table`; returns what went wrong, or
// an empty string.
std::string ApplyPreferenceFile(JudgeTableSet& table, const std::string& path);

// Runs a trace for the command-line arguments `args` (without the program
// name). Returns the exit code: 0, or 2 after a usage error on `err`.
int RunTrace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kanoby
