// The typing state of the reading being typed, the guide builders and the
// keystroke judges of both input modes.
//
// The caller writes KeyChar and KeyKana, calls JudgeRoman or JudgeKana, and
// reads JudgeMiss (the keystroke was rejected) and ReadingDone (it completed
// the reading). Positions are 1-based and count UTF-16
// code units.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/KanaRomajiTable.h"

namespace kanoby {

enum class InputMode { Romaji, Kana };

// What a character of a reading is typed as. Japanese text writes ヴ as ゔ
// too, and Latin letters, digits and symbols in their full-width forms;
// those are typed with the key of the ASCII character they stand for, and
// the ideographic space with the space bar. Everything else is itself.
constexpr char16_t TypedAs(char16_t c) {
    if (c < u'ゔ')  // ASCII and nearly all kana, the ideographic space apart
        return c == 0x3000 ? u' ' : c;
    if (c == u'ゔ')
        return u'ヴ';
    return c >= 0xFF01 && c <= 0xFF5E ? static_cast<char16_t>(c - 0xFEE0) : c;
}

class Judge {
  public:
    explicit Judge(const KanaRomajiTable& tables) : tables_(tables) {}

    // Keystroke input.
    std::u16string KeyChar;
    std::u16string KeyKana;

    // The question being typed.
    std::u16string Reading;
    std::size_t ReadPos = 0;
    std::u16string TypedKeys;
    std::u16string UnitKeys;
    std::u16string UnitRest;
    std::u16string GuideText;

    // Verdict of the last judged keystroke.
    bool JudgeMiss = false;
    bool ReadingDone = false;

    // Resets the state for a new question and builds the guide of the whole
    // reading for `mode`. The verdict flags keep their values.
    void StartQuestion(std::u16string_view reading, InputMode mode);

    void MakeRomanGuide(const std::u16string& source, std::u16string& guide);
    void MakeKanaGuide(const std::u16string& source, std::u16string& guide);

    void JudgeRoman();
    void JudgeKana();

    // The input mode changed from `from` to `to` during a run. Keys typed
    // toward a kana in one mode begin nothing in the other, so a half-typed
    // kana starts over: its keys leave UnitKeys, UnitRest and the end of
    // TypedKeys, ReadPos stays, and the guide is rebuilt for `to`. Nothing
    // happens when the two are the same.
    void ChangeInputMode(InputMode from, InputMode to);

  private:
    // Table lookups of a reading's characters, ゔ taken as ヴ; no other
    // character typed as something else has a unit.
    int UnitOf(char16_t c) const {
        const int unit = tables_.FindSingleUnit(c);
        return unit < 0 && c == u'ゔ' ? tables_.FindSingleUnit(u'ヴ') : unit;
    }
    int PairOf(char16_t first, char16_t second) const {
        return tables_.FindPairUnit(first == u'ゔ' ? u'ヴ' : first, second);
    }
    bool NeedsDoubleN(std::u16string_view next) const;
    bool SokuonSpeltOutBefore(std::u16string_view next) const;
    // The keys that type the unit `row` in kana input. ゎ, ヵ and ヶ have no
    // key of their own: the key of the full-size kana stands in.
    std::u16string_view KanaKeys(int row) const {
        const std::u16string& keys = tables_.HankakuTable[row];
        return keys.empty() ? StandInKey(tables_.KanaTable[row]) : keys;
    }
    static std::u16string_view StandInKey(std::u16string_view kana);

    // How the romaji judge reads the keystroke at ん and っ, before it looks
    // for the spelling the keys begin.
    enum class NRule {
        None,
        EndedByThisKey,  // a single n completed ん; this key goes to what follows
        FirstN,          // this n begins ん
    };
    void ApplyRomanRules(NRule& nRule, bool& doubledSokuon);
    // Takes candidate_ toward the unit `row`, `width` kana wide, if one of its
    // spellings begins with it.
    bool TakeRomanUnit(int row, std::size_t width, bool doubledSokuon, NRule nRule);
    // After an accepted keystroke: the verdict, the typed keys and the guide.
    void AcceptKey(const std::u16string& key, InputMode mode, std::size_t tailStart);

    // Rebuilds GuideText after an accepted keystroke: the rest of the begun
    // unit, then the guide of the reading from `tailStart` (1-based).
    void RebuildGuide(InputMode mode, std::size_t tailStart);

    const KanaRomajiTable& tables_;
    std::u16string tail_;       // the part of Reading handed to a guide builder
    std::u16string candidate_;  // UnitKeys followed by the keystroke
};

// The character at the 1-based `pos`, or empty past either end.
inline std::u16string_view CharAt(std::u16string_view text, std::size_t pos) {
    return pos >= 1 && pos <= text.size() ? text.substr(pos - 1, 1) : std::u16string_view{};
}

}  // namespace kanoby
