// The two constant tables, by the counts and exceptions a wrong row breaks.
#include <gtest/gtest.h>

#include <set>

#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "engine/Utf8.h"

using namespace kanoby;

TEST(TablesTest, KanaRomajiTable) {
    KanaRomajiTable t;
    t.Build();
    std::set<std::u16string> keyCharacters;
    int twoOrMore = 0, three = 0, keysAsExpected = 0;
    std::string rows;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        const auto& s = t.RomajiTable[unit];
        EXPECT_EQ(t.FindUnit(t.KanaTable[unit]), unit);
        EXPECT_TRUE(!s[0].empty() && (s[2].empty() || !s[1].empty())) << unit;
        twoOrMore += !s[1].empty();
        three += !s[2].empty();
        // No keys for ゎ ヵ ヶ (80–82) and the two-character units (90–211): 125 units.
        keysAsExpected +=
            t.HankakuTable[unit].empty() == ((unit >= 80 && unit <= 82) || unit >= 90);
        for (const char16_t c : t.HankakuTable[unit])
            keyCharacters.insert(std::u16string(1, c));
        if (unit == kUnitN || unit == kUnitSokuon || unit == 83 || unit == 96 || unit == 181)
            rows += ToUtf8(t.KanaTable[unit] + t.HankakuTable[unit] + u':' + s[0] + u',' + s[1] +
                           u',' + s[2] + u' ');
    }
    for (const std::u16string_view text : {u"ヴぁ", u"ゔ", u"カ", u"", u"きゃく"})
        rows += std::to_string(t.FindUnit(text)) + ' ';
    EXPECT_EQ((std::array{twoOrMore, three, keysAsExpected}), (std::array{50, 18, 212}));
    EXPECT_EQ(rows, "んﾝ:|,nn,xn っｯ:~,xtu,ltu ヴｳﾞ:vu,, しぃ:syi,, すぃ:syi,, 168 -1 -1 -1 -1 ");

    // Every kana key is needed by some unit, and every unit's keys exist.
    KeyTable keys;
    keys.Build();
    std::set<std::u16string> kanaKeys(keys.KanaKeyTable.begin(), keys.KanaKeyTable.end());
    kanaKeys.erase(u"");
    EXPECT_EQ(kanaKeys, keyCharacters);
}

TEST(TablesTest, KeyTranslationTable) {
    KeyTable table;
    table.Build();
    // Each key alone, with Shift and with Ctrl: "[character|kana]" for a row,
    // else "1|".
    std::string typed;
    for (const int code : {32,  48,  49, 51, 65,  69,  90, 188, 192, 219, 220,
                           222, 226, 96, 97, 105, 111, 13, 108, 227, -65}) {
        for (const int shift : {0, 1, 2}) {
            const std::optional<KeyTranslation> key = table.Translate(code, shift);
            typed += key ? '[' + ToUtf8(key->character) + '|' + ToUtf8(key->kana) + ']' : "1|";
        }
        typed += ' ';
    }
    EXPECT_EQ(typed,
              "[ |][ |]1| [0|ﾜ][|ｦ]1| [1|ﾇ][!|ﾇ]1| [3|ｱ][#|ｧ]1| [a|ﾁ][A|ﾁ]1| [e|ｲ][E|ｨ]1| "
              "[z|ﾂ][Z|ｯ]1| [,|ﾈ][<|､]1| [@|ﾞ][`|ﾞ]1| [[|ﾟ][{|｢]1| [\\|ｰ][||ｰ]1| [^|ﾍ][~|ﾍ]1| "
              "[\\|ﾛ][_|ﾛ]1| [0|]1|1| [1|]1|1| [9|]1|1| [/|]1|1| 1|1|1| 1|1|1| 1|1|1| 1|1|1| ");
}
