#include "tools/Trace.h"

#include <array>
#include <charconv>
#include <ostream>
#include <utility>

#include "engine/Judge.h"
#include "engine/JudgeKeyDown.h"
#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "engine/Utf8.h"

namespace kanoby {
namespace {

struct NamedKey {
    std::string_view name;
    int keyCode;
};

// Named keys other than the letters and digits, in the Windows spelling
// without its VK_ prefix.
constexpr std::array<NamedKey, 27> kNamedKeys = {{
    {"Space", kVkSpace},
    {"Numpad0", kVkNumpad0},
    {"Numpad1", kVkNumpad0 + 1},
    {"Numpad2", kVkNumpad0 + 2},
    {"Numpad3", kVkNumpad0 + 3},
    {"Numpad4", kVkNumpad0 + 4},
    {"Numpad5", kVkNumpad0 + 5},
    {"Numpad6", kVkNumpad0 + 6},
    {"Numpad7", kVkNumpad0 + 7},
    {"Numpad8", kVkNumpad0 + 8},
    {"Numpad9", kVkNumpad0 + 9},
    {"Multiply", kVkMultiply},
    {"Add", kVkAdd},
    {"Subtract", kVkSubtract},
    {"Decimal", kVkDecimal},
    {"Divide", kVkDivide},
    {"Oem1", kVkOem1},
    {"OemPlus", kVkOemPlus},
    {"OemComma", kVkOemComma},
    {"OemMinus", kVkOemMinus},
    {"OemPeriod", kVkOemPeriod},
    {"Oem2", kVkOem2},
    {"Oem3", kVkOem3},
    {"Oem4", kVkOem4},
    {"Oem5", kVkOem5},
    {"Oem6", kVkOem6},
    {"Oem7", kVkOem7},
}};
constexpr NamedKey kOem102 = {"Oem102", kVkOem102};

std::optional<int> KeyCodeOfName(std::string_view name) {
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
        return name[0];
    }
    if (name == kOem102.name)
        return kOem102.keyCode;
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name)
            return key.keyCode;
    }
    if (name.size() > 1 && name[0] == '#') {
        int code = 0;
        const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), code);
        if (error == std::errc() && end == name.data() + name.size())
            return code;
    }
    return std::nullopt;
}

std::string NameOfKeyCode(int keyCode) {
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')) {
        return std::string(1, static_cast<char>(keyCode));
    }
    if (keyCode == kOem102.keyCode)
        return std::string(kOem102.name);
    for (const NamedKey& key : kNamedKeys) {
        if (key.keyCode == keyCode)
            return std::string(key.name);
    }
    return "#" + std::to_string(keyCode);
}

struct Options {
    bool kana = false;
    std::optional<std::string> typeText;
    std::optional<std::string> romanIni;
    std::vector<std::string> positional;
};

// Parses the command line; returns the usage error, or an empty string.
std::string ParseOptions(const std::vector<std::string>& args, Options& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            options.positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--kana") {
            options.kana = true;
        } else if (arg == "--type" || arg == "--roman-ini") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            (arg == "--type" ? options.typeText : options.romanIni) = args[++i];
        } else {
            return "unknown option " + arg + " (a reading that begins with - goes after --)";
        }
    }
    if (options.positional.empty())
        return "no reading given";
    if (!IsValidUtf8(options.positional.front()) ||
        (options.typeText && !IsValidUtf8(*options.typeText))) {
        return "the reading and --type take UTF-8 text";
    }
    if (options.typeText && options.positional.size() > 1) {
        return "keys cannot be given together with --type";
    }
    return {};
}

std::string_view VerdictName(KeyVerdict verdict) {
    switch (verdict) {
        case KeyVerdict::NotInTable:
            return "ignored";
        case KeyVerdict::Rejected:
            return "rejected";
        case KeyVerdict::Accepted:
        case KeyVerdict::ReadingComplete:
            break;
    }
    return "accepted";
}

}  // namespace

std::optional<KeyStroke> ParseKeyName(std::string_view text) {
    KeyStroke key;
    constexpr std::array<std::pair<std::string_view, int>, 3> kModifiers = {
        {{"Shift+", kShiftBit}, {"Ctrl+", kCtrlBit}, {"Alt+", kAltBit}}};
    for (const auto& [prefix, bit] : kModifiers) {
        if (text.starts_with(prefix)) {
            key.shift |= bit;
            text.remove_prefix(prefix.size());
        }
    }
    const std::optional<int> code = KeyCodeOfName(text);
    if (!code)
        return std::nullopt;
    key.keyCode = *code;
    return key;
}

std::string KeyName(const KeyStroke& key) {
    std::string name;
    if (key.shift & kShiftBit)
        name += "Shift+";
    if (key.shift & kCtrlBit)
        name += "Ctrl+";
    if (key.shift & kAltBit)
        name += "Alt+";
    return name + NameOfKeyCode(key.keyCode);
}

std::string TraceRow(std::string_view key, std::string_view verdict, const Judge& judge) {
    std::string row(key);
    for (const std::string& field :
         {std::string(verdict), std::to_string(judge.ReadPos), ToUtf8(judge.UnitKeys),
          ToUtf8(judge.UnitRest), ToUtf8(judge.GuideText), ToUtf8(judge.TypedKeys),
          std::string(judge.ReadingDone ? "1" : "")}) {
        row += '\t';
        row += field;
    }
    return row;
}

namespace {

// A key of the command line: a key-down, or nullopt for a switch of input mode.
struct TraceKey {
    std::string name;
    std::optional<KeyStroke> stroke;
};

// The keys named on the command line, or those that type --type's text;
// returns the usage error, or an empty string.
std::string CollectKeys(const Options& options, const KeyTable& keyTable,
                        std::vector<TraceKey>& keys) {
    std::vector<std::string> names(options.positional.begin() + 1, options.positional.end());
    if (options.typeText) {
        for (const char16_t c : ToUtf16(*options.typeText)) {
            const std::optional<KeyStroke> key = KeyTyping(keyTable, c);
            if (!key)
                return "no key types " + ToUtf8(std::u16string(1, c));
            names.push_back(KeyName(*key));
        }
    }
    for (const std::string& name : names) {
        if (name == "mode:kana" || name == "mode:romaji") {
            keys.push_back({name, std::nullopt});
            continue;
        }
        keys.push_back({name, ParseKeyName(name)});
        if (!keys.back().stroke)
            return "unknown key " + name;
    }
    return {};
}

// Types `keys` at the reading, printing the state after each.
void PrintTrace(const Options& options, const KanaRomajiTable& table, const KeyTable& keyTable,
                const std::vector<TraceKey>& keys, std::ostream& out) {
    InputMode mode = options.kana ? InputMode::Kana : InputMode::Romaji;
    Judge judge(table);
    judge.StartQuestion(ToUtf16(options.positional.front()), mode);

    out << kTraceHeader << '\n' << TraceRow("(start)", "", judge) << '\n';
    for (const TraceKey& key : keys) {
        std::string_view verdict;
        if (!key.stroke) {
            // As the option buttons do.
            const InputMode chosen = key.name == "mode:kana" ? InputMode::Kana : InputMode::Romaji;
            judge.ChangeInputMode(mode, chosen);
            mode = chosen;
        } else {
            verdict = VerdictName(
                JudgeKeyDown(keyTable, judge, key.stroke->keyCode, key.stroke->shift, mode));
        }
        out << TraceRow(key.name, verdict, judge) << '\n';
    }
}

}  // namespace

int RunTrace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (const std::string error = ParseOptions(args, options); !error.empty()) {
        err << "kanoby-trace: " << error << '\n';
        return 2;
    }

    KeyTable keyTable;
    keyTable.Build();
    KanaRomajiTable table;
    table.Build();
    std::string error;
    if (options.romanIni)
        error = ApplyPreferenceFile(table, *options.romanIni);
    std::vector<TraceKey> keys;
    if (error.empty())
        error = CollectKeys(options, keyTable, keys);
    if (!error.empty()) {
        err << "kanoby-trace: " << error << '\n';
        return 2;
    }
    PrintTrace(options, table, keyTable, keys, out);
    return 0;
}

}  // namespace kanoby
