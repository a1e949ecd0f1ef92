#include <gtest/gtest.h>

#include <set>
#include <string>

#include "judge/Utf8.h"
#include "tables/CodeChangeTableSet.h"
#include "tables/JudgeTableSet.h"

namespace kanoby {
namespace {

struct LookupCase {
    const char* name;
    int keyCode;
    int shift;
    const char16_t* status;
    const char16_t* character;
    const char16_t* kana;
    int index;
};

void PrintTo(const LookupCase& row, std::ostream* out) {
    *out << row.name;
}

class ChangeCodeTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ChangeCodeTest, TranslatesTheKey) {
    const LookupCase& row = GetParam();
    CodeChangeTableSet table;
    table.SetCodeChangeTable();
    CodeChage lookup(table);
    lookup.OutChar = u"stale";
    lookup.OutKana = u"stale";
    lookup.InKeyCode = row.keyCode;
    lookup.InShift = row.shift;
    lookup.ChangeCode();
    EXPECT_EQ(lookup.OutStatus, row.status);
    EXPECT_EQ(lookup.OutChar, row.character);
    EXPECT_EQ(lookup.OutKana, row.kana);
    EXPECT_EQ(lookup.OutIndex, row.index);
}

const LookupCase kLookups[] = {
    {"LetterA", 65, 0, u"0", u"a", u"ﾁ", 22},
    {"ShiftLetterA", 65, 1, u"0", u"A", u"ﾁ", 23},
    {"CtrlLetterA", 65, 2, u"1", u"", u"", 113},
    {"CtrlShiftLetterA", 65, 3, u"1", u"", u"", 113},
    {"AltLetterA", 65, 4, u"1", u"", u"", 113},
    {"ShiftDigit0HasNoCharacter", 48, 1, u"0", u"", u"ｦ", 3},
    {"Space", 32, 0, u"0", u" ", u"", 0},
    {"ShiftSpace", 32, 1, u"0", u" ", u"", 1},
    {"Numpad0", 96, 0, u"0", u"0", u"", 74},
    {"ShiftNumpad0", 96, 1, u"1", u"", u"", 113},
    {"Enter", 13, 0, u"1", u"", u"", 113},
    {"Separator", 108, 0, u"1", u"", u"", 113},
    {"AboveTheTable", 227, 0, u"1", u"", u"", 113},
    {"NegativeCode", -65, 0, u"1", u"", u"", 113},
    {"Oem102", 226, 0, u"0", u"\\", u"ﾛ", 111},
    {"ShiftOem102", 226, 1, u"0", u"_", u"ﾛ", 112},
    {"Oem5", 220, 0, u"0", u"\\", u"ｰ", 105},
    {"VoicedMark", 192, 0, u"0", u"@", u"ﾞ", 101},
    {"SemiVoicedMark", 219, 0, u"0", u"[", u"ﾟ", 103},
    {"ShiftOem4IsCornerBracket", 219, 1, u"0", u"{", u"｢", 104},
    {"ShiftZIsSmallTsu", 90, 1, u"0", u"Z", u"ｯ", 73},
    {"ShiftEIsSmallI", 69, 1, u"0", u"E", u"ｨ", 31},
};

INSTANTIATE_TEST_SUITE_P(Keys, ChangeCodeTest, ::testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodeChangeTableSetTest, RowsFollowTheLayoutRules) {
    CodeChangeTableSet table;
    table.SetCodeChangeTable();
    std::set<std::pair<int, int>> keys;
    std::set<std::u16string> kana;
    int emptyCharacters = 0;
    for (int row = 0; row < kKeyRowCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(keys.insert({table.KeyCodeTable[row], table.ShiftTable[row]}).second);
        EXPECT_TRUE(table.ShiftTable[row] == 0 || table.ShiftTable[row] == 1);
        if (table.ShiftTable[row] == 1) {
            // A key's row with Shift follows its row without.
            ASSERT_GT(row, 0);
            EXPECT_EQ(table.KeyCodeTable[row - 1], table.KeyCodeTable[row]);
            EXPECT_EQ(table.ShiftTable[row - 1], 0);
        }
        const std::u16string& character = table.CharTable[row];
        if (character.empty()) {
            ++emptyCharacters;
        } else {
            EXPECT_EQ(character.size(), 1u);
            EXPECT_LT(character[0], 0x80);
        }
        if (!table.KanaKeyTable[row].empty()) {
            ASSERT_EQ(table.KanaKeyTable[row].size(), 1u);
            EXPECT_GE(table.KanaKeyTable[row][0], 0xFF61);
            EXPECT_LE(table.KanaKeyTable[row][0], 0xFF9F);
            kana.insert(table.KanaKeyTable[row]);
        }
    }
    EXPECT_EQ(emptyCharacters, 1);
    EXPECT_EQ(kana.size(), 63u);

    // Every kana key is needed by some unit, and every unit's keys exist.
    JudgeTableSet units;
    units.SetJudgeTable();
    std::set<std::u16string> keyTextCharacters;
    for (const std::u16string& keysOfUnit : units.HankakuTable) {
        for (const char16_t c : keysOfUnit)
            keyTextCharacters.insert(std::u16string(1, c));
    }
    EXPECT_EQ(keyTextCharacters, kana);
}

}  // namespace
}  // namespace kanoby
