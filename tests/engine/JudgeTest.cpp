// The judges and guide builders: worked sequences for the rules no property
// states, and seeded random readings typed under random preferences.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/JudgeKeyDown.h"
#include "engine/TypingInvariants.h"

namespace kanoby {
namespace {

struct Engine {
    // `preferences` as "kana=spelling kana=spelling".
    explicit Engine(const char* preferences = "") {
        keys.Build();
        table.Build();
        std::istringstream words(preferences);
        for (std::string word; words >> word;) {
            const auto at = word.find('=');
            EXPECT_TRUE(
                table.PreferSpelling(ToUtf16(word.substr(0, at)), ToUtf16(word.substr(at + 1))));
        }
    }
    KeyTable keys;
    KanaRomajiTable table;
};

struct Sequence {
    const char* reading;
    // Each key as the character it types (a letter for romaji, the kana for
    // kana input, ␣ for the space bar), #CODE+SHIFT for a raw key, or
    // kana/romaji to switch the input mode. A leading "kana" starts in kana.
    const char* keys;
    // After each key or switch: the guide, - rejected, . not in the key
    // table, $ the reading complete, ∅ an empty guide.
    const char* guides;
    const char* end = nullptr;  // ReadPos|UnitKeys|UnitRest|TypedKeys at the end
    const char* preferences = "";
};

// clang-format off
const Sequence kSequences[] = {
    // No keys: the guide when the question starts.
    {"きゃく", "", "kyaku"}, {"がっこう", "", "gakkou"}, {"がっこう", "kana", "ｶﾞｯｺｳ"}, {"っきゃ", "", "kkya"},
    {"あっあ", "", "axtua"}, {"さんぽ", "", "sanpo"}, {"あんない", "", "annnai"}, {"", "", "∅"},
    {"", "kana", "∅"}, {"ぱん", "", "pann"}, {"ぱん", "kana", "ﾊﾟﾝ"}, {"を", "", "wo"},
    {"すし、ください。", "", "susi,kudasai."}, {"すし、ください。", "kana", "ｽｼ､ｸﾀﾞｻｲ｡"}, {"ー「」・", "", "-[]/"},
    {"いっヵ", "", "ixtuxka"}, {"いっヵ", "kana", "ｲｯｶ"}, {"カナ", "", "カナ"}, {"カナ", "kana", "カナ"},
    {"でんしゃ1", "", "densya1"}, {"っ、っー", "", "xtu,xtu-"}, {"っヴ", "", "vvu"}, {"っヴ", "kana", "ｯｳﾞ"},
    // ん takes two keys before another ん, a っ or what is typed as itself;
    // っ is spelt out before ん and before what is spelt with x or l.
    {"ん1", "", "nn1"}, {"んん", "", "nnnn"}, {"んっか", "n", "nkka", "1|n|n|n"}, {"っんか", "", "xtunka"},
    {"あっん", "", "axtunn"}, {"っょ", "", "xtuxyo"}, {"しゅっょ", "", "syuxtuxyo"}, {"っAか", "", "xtuAka"},
    {"っっか", "", "xtukka"}, {"あっ!", "", "axtu!"}, {"っ字", "", "xtu字"}, {"んゃ", "", "nxya"},
    {"っあ", "", "ltua", nullptr, "っ=ltu"}, {"しゃしん", "", "syashinn", nullptr, "し=shi"},
    {"さんぽ", "", "sannpo", nullptr, "ん=nn"}, {"まっちゃ", "", "maccha", nullptr, "ちゃ=cha"},
    // Full-width forms as the ASCII characters they stand for, ゔ as ヴ.
    {"えっ！ほんと？", "", "extu!honto?"}, {"えっ！ほんと？", "kana", "ｴｯ!ﾎﾝﾄ?"}, {"ゔぁいおりん", "", "vaiorinn"},
    {"ゔぁいおりん", "kana", "ｳﾞｧｲｵﾘﾝ"}, {"１２３ＡＢｃ　～", "", "123ABc␣~"}, {"１２３ＡＢｃ　～", "kana", "123ABc␣~"},
    {"っゔ", "", "vvu"}, {"っか", "", "cca", nullptr, "か=ca"}, {"っヵ", "", "xtulka", nullptr, "ヵ=lka"},
    {"きって", "k i p t t e", "itte tte - te e $", "4|||kitte"}, {"あっ", "a t ~", "xtu - $", "3|||a~"},
    {"しゃしん", "s h a s h i n n", "yasinn asinn sinn inn inn nn n $", "5|||shashinn"},
    {"こんや", "k o n y", "onnya nnya nya -", "2|n|n|kon"},
    {"んな", "n a n n a", "nna - na a $", "3|||nnna"}, {"ん1", "n 1 n 1", "n1 - 1 $", "3|||nn1"},
    {"きゃ", "k i x y a", "ya xya ya a $", "3|||kixya"}, {"か", "K k", "- a", "1|k|a|k"},
    {"まっちゃ", "m a t c h a", "attya ttya tya ya a $", "5|||matcha"},
    {"かった", "k a ~ t", "atta tta - ta", "3|||kat"}, {"", "k #48+1 ␣", "- - -", "1|||"},
    {"ほん", "h o n k |", "onn nn n - -", "2|n|n|hon"}, {"ほん", "h o |", "onn nn $", "3|||ho|"},
    {"ねん１２", "n e n", "enn12 nn12 n12", "2|n|n|nen"}, {"し", "s romaji kana ｼ", "i i ｼ $", "2|||ｼ"},
    {"かんじ", "k a n #48+1", "anji nji ji -", "2|n||kan"},
    {"か", "#13 #75+2 #75+4 #75+3 #16 #97 k", ". . . . . - a", "1|k|a|k"},
    {"まっちゃ", "m a kana ｯ romaji c h a", "attya ttya ｯﾁｬ ﾁｬ tya ya a $", "5|||maｯcha"},
    {"が", "kana ﾞ ｶ ﾞ", "- ﾞ $", "2|||ｶﾞ"}, {"ぱ", "kana ﾊ ﾞ ﾟ", "ﾟ - $", "2|||ﾊﾟ"},
    {"ゃやっつを", "kana ﾔ ｬ ｬ ﾔ ﾂ ｯ ｯ ﾂ ﾜ ｦ", "- ﾔｯﾂｦ - ｯﾂｦ - ﾂｦ - ｦ - $", "6|||ｬﾔｯﾂｦ"},
    {"a1 1", "kana A a 1 #32+1 #97", "- 1␣1 ␣1 1 $", "5|||a1␣1"},
    {"ゎヵヶ", "kana ｶ ﾜ #96 ␣", "- ｶｹ ｹ $", "4|||ﾜ"}, {"カ", "kana ｶ ␣", "- -", "1|||"},
    {"か", "kana ␣ ｶ", "ｶ $", "2|||ｶ"}, {"が", "kana ｶ romaji g a", "ﾞ ga a $", "2|||ga"},
};
// clang-format on

// Spaces as ␣, and nothing as ∅, so that the rows above stay readable.
std::string Visible(const std::u16string& text) {
    std::string visible = text.empty() ? "∅" : ToUtf8(text);
    for (std::size_t at; (at = visible.find(' ')) != std::string::npos;)
        visible.replace(at, 1, "␣");
    return visible;
}

TEST(JudgeTest, WorkedSequences) {
    for (const Sequence& row : kSequences) {
        Engine engine(row.preferences);
        Judge judge(engine.table);
        std::istringstream keys(row.keys);
        std::vector<std::string> tokens{std::istream_iterator<std::string>(keys), {}};
        InputMode mode = tokens.size() && tokens[0] == "kana" ? InputMode::Kana : InputMode::Romaji;
        judge.StartQuestion(ToUtf16(row.reading), mode);
        std::string guides;
        for (const std::string& token : tokens) {
            KeyVerdict verdict = KeyVerdict::Accepted;
            if (token == "kana" || token == "romaji") {
                const InputMode chosen = token == "kana" ? InputMode::Kana : InputMode::Romaji;
                judge.ChangeInputMode(std::exchange(mode, chosen), chosen);
            } else {
                KeyStroke key{32, 0};
                if (char plus; token[0] == '#') {
                    std::istringstream(token.substr(1)) >> key.keyCode >> plus >> key.shift;
                } else if (token != "␣") {
                    key = KeyTyping(engine.keys, ToUtf16(token)[0]).value();
                }
                verdict = JudgeKeyDown(engine.keys, judge, key.keyCode, key.shift, mode);
            }
            const std::string shown = verdict == KeyVerdict::Accepted
                                          ? Visible(judge.GuideText)
                                          : std::string(1, ".-+$"[static_cast<int>(verdict)]);
            if (&token != &tokens.front() || token != "kana")
                guides += (guides.empty() ? "" : " ") + shown;
        }
        const std::string end = std::to_string(judge.ReadPos) + "|" + ToUtf8(judge.UnitKeys) + "|" +
                                ToUtf8(judge.UnitRest) + "|" +
                                (judge.TypedKeys.empty() ? "" : Visible(judge.TypedKeys));
        EXPECT_EQ(guides.empty() ? Visible(judge.GuideText) : guides, row.guides)
            << row.reading << " typed " << row.keys << " " << row.preferences;
        EXPECT_TRUE(row.end == nullptr || end == row.end) << row.reading << ": " << end;
    }
}

// Typed as themselves, as the ASCII character they stand for, as ヴ, or
// (kanji, katakana, a tab) by no key at all.
constexpr std::u16string_view kOutsideTheTable = u"abnxkzACNX019 -,.!?/[]@~|！？Ａｂ１　～ゔ字カ\t";

template <typename T>
T Pick(std::mt19937& random, T low, T high) {
    return std::uniform_int_distribution<T>(low, high)(random);
}

// 1 to 6 pieces: units of the table (っ, ん and small kana more often than
// chance) and characters outside it.
std::u16string RandomReading(std::mt19937& random, const KanaRomajiTable& table) {
    std::u16string reading;
    for (int n = Pick(random, 1, 6); n > 0; --n) {
        const int kind = Pick(random, 0, 11);
        reading +=
            kind == 0   ? std::u16string(Pick(random, 0, 1) ? u"っ" : u"ん")
            : kind == 1 ? table.KanaTable[Pick(random, 71, 82)]
            : kind == 2 ? u"ゔ" + table.KanaTable[Pick(random, 71, 78)]
            : kind <= 4
                ? std::u16string(
                      1,
                      kOutsideTheTable[Pick<std::size_t>(random, 0, kOutsideTheTable.size() - 1)])
                : table.KanaTable[Pick(random, 0, kUnitCount - 1)];
    }
    return reading;
}

bool Done(const Judge& judge) {
    return judge.ReadPos == judge.Reading.size() + 1;
}

TEST(JudgeTest, EachKeyOfTheGuideTakesItsFirstCharacter) {
    Engine engine;
    const auto initial = engine.table.RomajiTable;
    for (unsigned seed = 1; seed <= 20000; ++seed) {
        std::mt19937 random(seed);
        engine.table.RomajiTable = initial;
        if (seed % 2 == 0) {
            for (auto& slots : engine.table.RomajiTable)
                std::shuffle(slots.begin(), std::find(slots.begin(), slots.end(), u""), random);
        }
        const std::u16string reading = RandomReading(random, engine.table);
        const bool typeable = std::all_of(reading.begin(), reading.end(), [&](char16_t c) {
            return IsTypeable(engine.table, engine.keys, c);
        });
        for (InputMode mode : {InputMode::Romaji, InputMode::Kana}) {
            Judge judge(engine.table);
            judge.StartQuestion(reading, mode);
            SCOPED_TRACE("seed " + std::to_string(seed) + (mode == InputMode::Kana ? " kana" : ""));
            // In a third of the runs the mode changes before a random key.
            const int switchAt = seed % 3 ? -1 : Pick(random, 0, 12);
            // Typed key by key up to a character no key types; exactly the
            // readings named at start-up stop there.
            for (int step = 0; !Done(judge); ++step) {
                if (step == switchAt) {
                    const Judge before = judge;
                    const InputMode other =
                        mode == InputMode::Kana ? InputMode::Romaji : InputMode::Kana;
                    judge.ChangeInputMode(std::exchange(mode, other), other);
                    ASSERT_TRUE(judge.ReadPos == before.ReadPos && judge.UnitKeys.empty() &&
                                judge.TypedKeys + before.UnitKeys == before.TypedKeys)
                        << DescribeTypingState(before) << " then " << DescribeTypingState(judge);
                }
                // First a stray key, on a copy: not taken, it changes nothing;
                // taken, the state keeps its rules and takes its guide's next key.
                Judge copy = judge;
                const int row = Pick(random, 0, kKeyRowCount + 3);
                const KeyStroke stray =
                    row < kKeyRowCount
                        ? KeyStroke{engine.keys.KeyCodeTable[row], engine.keys.ShiftTable[row]}
                        : KeyStroke{65, 2 + row % 6};
                const std::string before = DescribeTypingState(copy);
                const KeyVerdict verdict =
                    JudgeKeyDown(engine.keys, copy, stray.keyCode, stray.shift, mode);
                if (verdict == KeyVerdict::NotInTable || verdict == KeyVerdict::Rejected) {
                    ASSERT_EQ(DescribeTypingState(copy), before) << "a key not taken changed it";
                } else {
                    ASSERT_EQ(verdict == KeyVerdict::ReadingComplete, Done(copy));
                    ASSERT_EQ(InvariantViolation(copy, engine.table, mode), "")
                        << DescribeTypingState(copy);
                    const auto next = KeyTyping(engine.keys, copy.GuideText[0]);
                    ASSERT_TRUE(Done(copy) || !next ||
                                JudgeKeyDown(engine.keys, copy, next->keyCode, next->shift, mode) !=
                                    KeyVerdict::Rejected)
                        << "the guide's key was not taken after a stray one";
                }
                // The guide's first character, typed: taken, and gone from
                // the front of the guide, which otherwise stays as it was.
                const std::u16string guide = judge.GuideText;
                const std::optional<KeyStroke> key = KeyTyping(engine.keys, guide[0]);
                if (!key)
                    break;
                ASSERT_NE(JudgeKeyDown(engine.keys, judge, key->keyCode, key->shift, mode),
                          KeyVerdict::Rejected)
                    << before << ", key " << key->keyCode;
                ASSERT_EQ(ToUtf8(judge.GuideText), ToUtf8(guide.substr(1))) << before;
                ASSERT_EQ(InvariantViolation(judge, engine.table, mode), "")
                    << DescribeTypingState(judge);
            }
            ASSERT_EQ(Done(judge), typeable) << DescribeTypingState(judge);
        }
    }
}

}  // namespace
}  // namespace kanoby
