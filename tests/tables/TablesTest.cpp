// The two constant tables, by the counts and exceptions a wrong row breaks.
#include <gtest/gtest.h>

#include <set>

#include "judge/Utf8.h"
#include "tables/CodeChangeTableSet.h"
#include "tables/JudgeTableSet.h"

namespace kanoby {
namespace {

TEST(JudgeTableSetTest, CountsMarkersAndLookups) {
    JudgeTableSet t;
    t.SetJudgeTable();
    std::set<std::u16string> keyCharacters;
    int twoOrMore = 0, three = 0, keyless = 0;
    std::string flagged;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const auto& slots = t.RomajiTable[unit];
        EXPECT_EQ(t.FindUnit(t.KanaTable[unit]), unit);
        EXPECT_TRUE(!slots[0].empty() && (slots[2].empty() || !slots[1].empty())) << unit;
        twoOrMore += !slots[1].empty();
        three += !slots[2].empty();
        if (t.ChoiceFlagTable[unit] == u"1")
            flagged += ToUtf8(t.KanaTable[unit]) + ' ';
        EXPECT_EQ(t.HankakuTable[unit].empty(), (unit >= 80 && unit <= 82) || unit >= 90) << unit;
        keyless += t.HankakuTable[unit].empty();
        for (const char16_t c : t.HankakuTable[unit])
            keyCharacters.insert(std::u16string(1, c));
    }
    EXPECT_EQ(twoOrMore, 50);
    EXPECT_EQ(three, 18);
    EXPECT_EQ(keyless, 125);
    // い and う have alternatives but are never offered.
    EXPECT_EQ(flagged,
              "か く こ し せ ち つ ふ ん じ ぁ ぃ ぅ ぇ ぉ ゃ ゅ ょ っ ゎ ヵ ヶ "
              "しゃ しゅ しぇ しょ ちゃ ちぃ ちゅ ちぇ ちょ ふぁ ふぃ ふぇ ふぉ "
              "じゃ じぃ じゅ じぇ じょ ヴぃ ヴぇ くぁ くぃ くぇ くぉ うぃ うぇ ");
    EXPECT_EQ(t.RomajiTable[kUnitN], (JudgeTableSet::Spellings{u"|", u"nn", u"xn"}));
    EXPECT_EQ(t.RomajiTable[kUnitSokuon], (JudgeTableSet::Spellings{u"~", u"xtu", u"ltu"}));
    EXPECT_EQ(t.KanaTable[96] + t.RomajiTable[96][0] + t.KanaTable[181] + t.RomajiTable[181][0],
              u"しぃsyiすぃsyi");
    EXPECT_EQ(t.HankakuTable[83], u"ｳﾞ");
    for (const auto& [text, unit] :
         {std::pair{u"ヴぁ", 168}, {u"ゔ", -1}, {u"カ", -1}, {u"", -1}, {u"きゃく", -1}})
        EXPECT_EQ(t.FindUnit(text), unit) << ToUtf8(text);

    // Every kana key is needed by some unit, and every unit's keys exist.
    CodeChangeTableSet keys;
    keys.SetCodeChangeTable();
    std::set<std::u16string> kanaKeys(keys.KanaKeyTable.begin(), keys.KanaKeyTable.end());
    kanaKeys.erase(u"");
    EXPECT_EQ(kanaKeys, keyCharacters);
    EXPECT_EQ(kanaKeys.size(), 63u);
}

// What a key types without and with Shift: "[character|kana]" for a row, and
// for none the status "1" with both outputs empty.
std::string Key(CodeChage& lookup, int keyCode) {
    std::string both;
    for (const int shift : {0, 1}) {
        lookup.InKeyCode = keyCode;
        lookup.InShift = shift;
        lookup.ChangeCode();
        const std::string found = ToUtf8(lookup.OutChar) + '|' + ToUtf8(lookup.OutKana);
        both += lookup.OutStatus == u"0" ? '[' + found + ']' : ToUtf8(lookup.OutStatus) + found;
    }
    return both;
}

TEST(CodeChangeTableSetTest, KeysOfTheJisLayout) {
    CodeChangeTableSet table;
    table.SetCodeChangeTable();
    CodeChage lookup(table);
    std::string typed;
    for (const int code : {32,  48,  49, 51, 65,  69,  90, 188, 192, 219, 220,
                           222, 226, 96, 97, 105, 111, 13, 108, 227, -65})
        typed += Key(lookup, code) + ' ';
    EXPECT_EQ(typed,
              "[ |][ |] [0|ﾜ][|ｦ] [1|ﾇ][!|ﾇ] [3|ｱ][#|ｧ] [a|ﾁ][A|ﾁ] [e|ｲ][E|ｨ] [z|ﾂ][Z|ｯ] "
              "[,|ﾈ][<|､] [@|ﾞ][`|ﾞ] [[|ﾟ][{|｢] [\\|ｰ][||ｰ] [^|ﾍ][~|ﾍ] [\\|ﾛ][_|ﾛ] "
              "[0|]1| [1|]1| [9|]1| [/|]1| 1|1| 1|1| 1|1| 1|1| ");
    // Ctrl and Alt, alone or with Shift, are never in the table.
    for (int shift = 2; shift <= 7; ++shift)
        EXPECT_EQ(table.FindRow('A', shift), -1) << shift;
}

}  // namespace
}  // namespace kanoby
