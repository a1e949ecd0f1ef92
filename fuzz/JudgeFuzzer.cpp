// Types arbitrary key sequences at readings drawn from a small alphabet, in
// both input modes, switching between them at any point, under any choice of
// preferred spellings saved and read back as a Roman.ini. Stops at the first
// step after which the typing state breaks one of its rules: a key not taken
// changes nothing, the guide's first character typed is taken and leaves the
// rest of the guide as it was, a mode switch starts the begun kana over.
#include <QList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Judge.h"
#include "engine/JudgeKeyDown.h"
#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "engine/TypingInvariants.h"
#include "files/EngineText.h"
#include "files/RomanIni.h"

namespace {

// Single characters a reading is made of: units, small kana, っ and ん more
// than once, Latin letters, digits, full-width forms, a kanji, katakana and a
// hiragana ゔ.
constexpr std::u16string_view kAlphabet =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっゎヵヶヴー、。「」・"
    u"っっっんんんゃゅょぁぃぇ"
    u"aknxtlsyAKN019 -,.~|！Ａｎ１　～字カゔ";

// Bytes of the input before the reading: the input mode, two bits of
// preference for each kana that offers a choice, the reading's length.
constexpr std::size_t kPreferenceBytes = 12;
constexpr std::size_t kHeaderBytes = 1 + kPreferenceBytes + 2;
constexpr std::size_t kLongestReading = 400;

// Key bytes past the key table's rows: the key of the guide's first
// character, a switch to the other input mode, keys the table lacks.
constexpr int kGuideKey = kanoby::kKeyRowCount;
constexpr int kModeSwitch = kanoby::kKeyRowCount + 1;

[[noreturn]] void Fail(const std::string& what, const kanoby::Judge& judge) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), kanoby::DescribeTypingState(judge).c_str());
    std::abort();
}

// Chooses a spelling for each kana that offers a choice by two bits of
// `preferences`, and applies the choices through a Roman.ini's bytes.
void ApplyPreferences(kanoby::KanaRomajiTable& table, const std::uint8_t* preferences) {
    using namespace kanoby;
    QList<RomanIniRecord> records;
    for (int unit = 0, choice = 0; unit < kUnitCount; ++unit) {
        if (!table.ChoiceFlagTable[unit])
            continue;
        const auto& spellings = table.RomajiTable[unit];
        const int bits = (preferences[choice / 4] >> (2 * (choice % 4))) & 3;
        ++choice;
        const std::u16string& pick =
            spellings[bits % kSlotCount].empty() ? spellings[0] : spellings[bits % kSlotCount];
        records.append({FromEngineText(table.KanaTable[unit]), FromEngineText(pick)});
    }
    ApplyRomanIniBytes(table, RomanIniBytes(records));
}

// The reading from the bytes at `at`, which it moves past.
std::u16string ReadReading(const std::uint8_t* data, std::size_t size, std::size_t& at) {
    std::u16string reading;
    for (std::size_t length = (data[13] | data[14] << 8) % (kLongestReading + 1);
         length > 0 && at < size; --length) {
        reading += kAlphabet[data[at++] % kAlphabet.size()];
    }
    return reading;
}

void SwitchMode(kanoby::Judge& judge, kanoby::InputMode& mode) {
    using kanoby::InputMode;
    const kanoby::Judge before = judge;
    const InputMode other = mode == InputMode::Kana ? InputMode::Romaji : InputMode::Kana;
    judge.ChangeInputMode(mode, other);
    mode = other;
    if (judge.ReadPos != before.ReadPos || !judge.UnitKeys.empty() ||
        judge.TypedKeys + before.UnitKeys != before.TypedKeys) {
        Fail("a mode switch did not start the begun kana over", judge);
    }
}

// Presses `key`, the key of the guide's first character when `guideKey`.
void PressKey(const kanoby::KeyTable& keys, kanoby::Judge& judge, kanoby::InputMode mode,
              const kanoby::KeyStroke& key, bool guideKey, const std::string& name) {
    using namespace kanoby;
    const Judge before = judge;
    const bool wasComplete = judge.ReadPos == judge.Reading.size() + 1;
    const KeyVerdict verdict = JudgeKeyDown(keys, judge, key.keyCode, key.shift, mode);
    const bool taken = verdict == KeyVerdict::Accepted || verdict == KeyVerdict::ReadingComplete;
    if (!taken && (judge.Reading != before.Reading || judge.ReadPos != before.ReadPos ||
                   judge.TypedKeys != before.TypedKeys || judge.UnitKeys != before.UnitKeys ||
                   judge.UnitRest != before.UnitRest || judge.GuideText != before.GuideText)) {
        Fail("a key not taken (" + name + ") changed the state", judge);
    }
    const bool nowComplete = judge.ReadPos == judge.Reading.size() + 1;
    if (taken && (wasComplete || (verdict == KeyVerdict::ReadingComplete) != nowComplete)) {
        Fail("completion verdict wrong after " + name, judge);
    }
    if (guideKey &&
        (!taken || judge.GuideText != std::u16string_view(before.GuideText).substr(1))) {
        Fail("the guide's first key (" + name + ") did not take just that character", judge);
    }
}

// The key-down the byte `row` stands for: a row of the key table, the guide's
// first key, or a key the table lacks; nullopt when no key types the guide's
// first character.
std::optional<kanoby::KeyStroke> KeyOfRow(const kanoby::KeyTable& keys, const kanoby::Judge& judge,
                                          int row) {
    using namespace kanoby;
    if (row == kGuideKey)
        return KeyTyping(keys, judge.GuideText.empty() ? u'\0' : judge.GuideText[0]);
    return row < kKeyRowCount ? KeyStroke{keys.KeyCodeTable[row], keys.ShiftTable[row]}
                              : KeyStroke{row, (row % 7) + 1};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kanoby;
    static const KeyTable keys = [] {
        KeyTable table;
        table.Build();
        return table;
    }();
    if (size < kHeaderBytes)
        return 0;
    KanaRomajiTable table;
    table.Build();
    InputMode mode = (data[0] & 1) ? InputMode::Kana : InputMode::Romaji;
    ApplyPreferences(table, data + 1);
    std::size_t at = kHeaderBytes;
    Judge judge(table);
    judge.StartQuestion(ReadReading(data, size, at), mode);
    if (const std::string broken = InvariantViolation(judge, table, mode); !broken.empty()) {
        Fail("after the start: " + broken, judge);
    }
    for (; at < size; ++at) {
        const int row = data[at] % (kKeyRowCount + 16);
        std::string name = "a mode switch";
        if (row == kModeSwitch) {
            SwitchMode(judge, mode);
        } else {
            const std::optional<KeyStroke> key = KeyOfRow(keys, judge, row);
            if (!key)
                continue;
            name = "key " + std::to_string(key->keyCode) + " shift " + std::to_string(key->shift);
            PressKey(keys, judge, mode, *key, row == kGuideKey, name);
        }
        if (const std::string broken = InvariantViolation(judge, table, mode); !broken.empty()) {
            Fail("after " + name + ": " + broken, judge);
        }
    }
    return 0;
}
