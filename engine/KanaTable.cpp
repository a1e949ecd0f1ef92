#include "engine/KanaTable.h"

namespace kanoby {
namespace {

struct UnitRow {
    std::u16string_view kana;
    std::u16string_view keys;
    std::u16string_view slot0;
    std::u16string_view slot1;
    std::u16string_view slot2;
    std::u16string_view choice;
};

// One unit per line, in index order: kana, kana keys, spellings in slots 0-2,
// choice flag.
constexpr UnitRow kUnits[kUnitCount] = {
    {u"あ", u"ｱ", u"a", u"", u"", u""},            // 0
    {u"い", u"ｲ", u"i", u"yi", u"", u""},          // 1
    {u"う", u"ｳ", u"u", u"wu", u"whu", u""},       // 2
    {u"え", u"ｴ", u"e", u"", u"", u""},            // 3
    {u"お", u"ｵ", u"o", u"", u"", u""},            // 4
    {u"か", u"ｶ", u"ka", u"ca", u"", u"1"},        // 5
    {u"き", u"ｷ", u"ki", u"", u"", u""},           // 6
    {u"く", u"ｸ", u"ku", u"cu", u"qu", u"1"},      // 7
    {u"け", u"ｹ", u"ke", u"", u"", u""},           // 8
    {u"こ", u"ｺ", u"ko", u"co", u"", u"1"},        // 9
    {u"さ", u"ｻ", u"sa", u"", u"", u""},           // 10
    {u"し", u"ｼ", u"si", u"shi", u"ci", u"1"},     // 11
    {u"す", u"ｽ", u"su", u"", u"", u""},           // 12
    {u"せ", u"ｾ", u"se", u"ce", u"", u"1"},        // 13
    {u"そ", u"ｿ", u"so", u"", u"", u""},           // 14
    {u"た", u"ﾀ", u"ta", u"", u"", u""},           // 15
    {u"ち", u"ﾁ", u"ti", u"chi", u"", u"1"},       // 16
    {u"つ", u"ﾂ", u"tu", u"tsu", u"", u"1"},       // 17
    {u"て", u"ﾃ", u"te", u"", u"", u""},           // 18
    {u"と", u"ﾄ", u"to", u"", u"", u""},           // 19
    {u"な", u"ﾅ", u"na", u"", u"", u""},           // 20
    {u"に", u"ﾆ", u"ni", u"", u"", u""},           // 21
    {u"ぬ", u"ﾇ", u"nu", u"", u"", u""},           // 22
    {u"ね", u"ﾈ", u"ne", u"", u"", u""},           // 23
    {u"の", u"ﾉ", u"no", u"", u"", u""},           // 24
    {u"は", u"ﾊ", u"ha", u"", u"", u""},           // 25
    {u"ひ", u"ﾋ", u"hi", u"", u"", u""},           // 26
    {u"ふ", u"ﾌ", u"fu", u"hu", u"", u"1"},        // 27
    {u"へ", u"ﾍ", u"he", u"", u"", u""},           // 28
    {u"ほ", u"ﾎ", u"ho", u"", u"", u""},           // 29
    {u"ま", u"ﾏ", u"ma", u"", u"", u""},           // 30
    {u"み", u"ﾐ", u"mi", u"", u"", u""},           // 31
    {u"む", u"ﾑ", u"mu", u"", u"", u""},           // 32
    {u"め", u"ﾒ", u"me", u"", u"", u""},           // 33
    {u"も", u"ﾓ", u"mo", u"", u"", u""},           // 34
    {u"や", u"ﾔ", u"ya", u"", u"", u""},           // 35
    {u"ゆ", u"ﾕ", u"yu", u"", u"", u""},           // 36
    {u"よ", u"ﾖ", u"yo", u"", u"", u""},           // 37
    {u"ら", u"ﾗ", u"ra", u"", u"", u""},           // 38
    {u"り", u"ﾘ", u"ri", u"", u"", u""},           // 39
    {u"る", u"ﾙ", u"ru", u"", u"", u""},           // 40
    {u"れ", u"ﾚ", u"re", u"", u"", u""},           // 41
    {u"ろ", u"ﾛ", u"ro", u"", u"", u""},           // 42
    {u"わ", u"ﾜ", u"wa", u"", u"", u""},           // 43
    {u"を", u"ｦ", u"wo", u"", u"", u""},           // 44
    {u"ん", u"ﾝ", u"|", u"nn", u"xn", u"1"},       // 45
    {u"が", u"ｶﾞ", u"ga", u"", u"", u""},          // 46
    {u"ぎ", u"ｷﾞ", u"gi", u"", u"", u""},          // 47
    {u"ぐ", u"ｸﾞ", u"gu", u"", u"", u""},          // 48
    {u"げ", u"ｹﾞ", u"ge", u"", u"", u""},          // 49
    {u"ご", u"ｺﾞ", u"go", u"", u"", u""},          // 50
    {u"ざ", u"ｻﾞ", u"za", u"", u"", u""},          // 51
    {u"じ", u"ｼﾞ", u"ji", u"zi", u"", u"1"},       // 52
    {u"ず", u"ｽﾞ", u"zu", u"", u"", u""},          // 53
    {u"ぜ", u"ｾﾞ", u"ze", u"", u"", u""},          // 54
    {u"ぞ", u"ｿﾞ", u"zo", u"", u"", u""},          // 55
    {u"だ", u"ﾀﾞ", u"da", u"", u"", u""},          // 56
    {u"ぢ", u"ﾁﾞ", u"di", u"", u"", u""},          // 57
    {u"づ", u"ﾂﾞ", u"du", u"", u"", u""},          // 58
    {u"で", u"ﾃﾞ", u"de", u"", u"", u""},          // 59
    {u"ど", u"ﾄﾞ", u"do", u"", u"", u""},          // 60
    {u"ば", u"ﾊﾞ", u"ba", u"", u"", u""},          // 61
    {u"び", u"ﾋﾞ", u"bi", u"", u"", u""},          // 62
    {u"ぶ", u"ﾌﾞ", u"bu", u"", u"", u""},          // 63
    {u"べ", u"ﾍﾞ", u"be", u"", u"", u""},          // 64
    {u"ぼ", u"ﾎﾞ", u"bo", u"", u"", u""},          // 65
    {u"ぱ", u"ﾊﾟ", u"pa", u"", u"", u""},          // 66
    {u"ぴ", u"ﾋﾟ", u"pi", u"", u"", u""},          // 67
    {u"ぷ", u"ﾌﾟ", u"pu", u"", u"", u""},          // 68
    {u"ぺ", u"ﾍﾟ", u"pe", u"", u"", u""},          // 69
    {u"ぽ", u"ﾎﾟ", u"po", u"", u"", u""},          // 70
    {u"ぁ", u"ｧ", u"xa", u"la", u"", u"1"},        // 71
    {u"ぃ", u"ｨ", u"xi", u"li", u"", u"1"},        // 72
    {u"ぅ", u"ｩ", u"xu", u"lu", u"", u"1"},        // 73
    {u"ぇ", u"ｪ", u"xe", u"le", u"", u"1"},        // 74
    {u"ぉ", u"ｫ", u"xo", u"lo", u"", u"1"},        // 75
    {u"ゃ", u"ｬ", u"xya", u"lya", u"", u"1"},      // 76
    {u"ゅ", u"ｭ", u"xyu", u"lyu", u"", u"1"},      // 77
    {u"ょ", u"ｮ", u"xyo", u"lyo", u"", u"1"},      // 78
    {u"っ", u"ｯ", u"~", u"xtu", u"ltu", u"1"},     // 79
    {u"ゎ", u"", u"xwa", u"lwa", u"", u"1"},       // 80
    {u"ヵ", u"", u"xka", u"lka", u"", u"1"},       // 81
    {u"ヶ", u"", u"xke", u"lke", u"", u"1"},       // 82
    {u"ヴ", u"ｳﾞ", u"vu", u"", u"", u""},          // 83
    {u"ー", u"ｰ", u"-", u"", u"", u""},            // 84
    {u"、", u"､", u",", u"", u"", u""},            // 85
    {u"。", u"｡", u".", u"", u"", u""},            // 86
    {u"「", u"｢", u"[", u"", u"", u""},            // 87
    {u"」", u"｣", u"]", u"", u"", u""},            // 88
    {u"・", u"･", u"/", u"", u"", u""},            // 89
    {u"きゃ", u"", u"kya", u"", u"", u""},         // 90
    {u"きぃ", u"", u"kyi", u"", u"", u""},         // 91
    {u"きゅ", u"", u"kyu", u"", u"", u""},         // 92
    {u"きぇ", u"", u"kye", u"", u"", u""},         // 93
    {u"きょ", u"", u"kyo", u"", u"", u""},         // 94
    {u"しゃ", u"", u"sya", u"sha", u"", u"1"},     // 95
    {u"しぃ", u"", u"syi", u"", u"", u""},         // 96
    {u"しゅ", u"", u"syu", u"shu", u"", u"1"},     // 97
    {u"しぇ", u"", u"sye", u"she", u"", u"1"},     // 98
    {u"しょ", u"", u"syo", u"sho", u"", u"1"},     // 99
    {u"ちゃ", u"", u"tya", u"cya", u"cha", u"1"},  // 100
    {u"ちぃ", u"", u"tyi", u"cyi", u"", u"1"},     // 101
    {u"ちゅ", u"", u"tyu", u"cyu", u"chu", u"1"},  // 102
    {u"ちぇ", u"", u"tye", u"cye", u"che", u"1"},  // 103
    {u"ちょ", u"", u"tyo", u"cyo", u"cho", u"1"},  // 104
    {u"てゃ", u"", u"tha", u"", u"", u""},         // 105
    {u"てぃ", u"", u"thi", u"", u"", u""},         // 106
    {u"てゅ", u"", u"thu", u"", u"", u""},         // 107
    {u"てぇ", u"", u"the", u"", u"", u""},         // 108
    {u"てょ", u"", u"tho", u"", u"", u""},         // 109
    {u"にゃ", u"", u"nya", u"", u"", u""},         // 110
    {u"にぃ", u"", u"nyi", u"", u"", u""},         // 111
    {u"にゅ", u"", u"nyu", u"", u"", u""},         // 112
    {u"にぇ", u"", u"nye", u"", u"", u""},         // 113
    {u"にょ", u"", u"nyo", u"", u"", u""},         // 114
    {u"ひゃ", u"", u"hya", u"", u"", u""},         // 115
    {u"ひぃ", u"", u"hyi", u"", u"", u""},         // 116
    {u"ひゅ", u"", u"hyu", u"", u"", u""},         // 117
    {u"ひぇ", u"", u"hye", u"", u"", u""},         // 118
    {u"ひょ", u"", u"hyo", u"", u"", u""},         // 119
    {u"ふぁ", u"", u"fa", u"fwa", u"", u"1"},      // 120
    {u"ふぃ", u"", u"fi", u"fwi", u"fyi", u"1"},   // 121
    {u"ふぅ", u"", u"fwu", u"", u"", u""},         // 122
    {u"ふぇ", u"", u"fe", u"fwe", u"fye", u"1"},   // 123
    {u"ふぉ", u"", u"fo", u"fwo", u"", u"1"},      // 124
    {u"ふゃ", u"", u"fya", u"", u"", u""},         // 125
    {u"ふゅ", u"", u"fyu", u"", u"", u""},         // 126
    {u"ふょ", u"", u"fyo", u"", u"", u""},         // 127
    {u"みゃ", u"", u"mya", u"", u"", u""},         // 128
    {u"みぃ", u"", u"myi", u"", u"", u""},         // 129
    {u"みゅ", u"", u"myu", u"", u"", u""},         // 130
    {u"みぇ", u"", u"mye", u"", u"", u""},         // 131
    {u"みょ", u"", u"myo", u"", u"", u""},         // 132
    {u"りゃ", u"", u"rya", u"", u"", u""},         // 133
    {u"りぃ", u"", u"ryi", u"", u"", u""},         // 134
    {u"りゅ", u"", u"ryu", u"", u"", u""},         // 135
    {u"りぇ", u"", u"rye", u"", u"", u""},         // 136
    {u"りょ", u"", u"ryo", u"", u"", u""},         // 137
    {u"ぎゃ", u"", u"gya", u"", u"", u""},         // 138
    {u"ぎぃ", u"", u"gyi", u"", u"", u""},         // 139
    {u"ぎゅ", u"", u"gyu", u"", u"", u""},         // 140
    {u"ぎぇ", u"", u"gye", u"", u"", u""},         // 141
    {u"ぎょ", u"", u"gyo", u"", u"", u""},         // 142
    {u"じゃ", u"", u"ja", u"jya", u"zya", u"1"},   // 143
    {u"じぃ", u"", u"jyi", u"zyi", u"", u"1"},     // 144
    {u"じゅ", u"", u"ju", u"jyu", u"zyu", u"1"},   // 145
    {u"じぇ", u"", u"je", u"jye", u"zye", u"1"},   // 146
    {u"じょ", u"", u"jo", u"jyo", u"zyo", u"1"},   // 147
    {u"ぢゃ", u"", u"dya", u"", u"", u""},         // 148
    {u"ぢぃ", u"", u"dyi", u"", u"", u""},         // 149
    {u"ぢゅ", u"", u"dyu", u"", u"", u""},         // 150
    {u"ぢぇ", u"", u"dye", u"", u"", u""},         // 151
    {u"ぢょ", u"", u"dyo", u"", u"", u""},         // 152
    {u"でゃ", u"", u"dha", u"", u"", u""},         // 153
    {u"でぃ", u"", u"dhi", u"", u"", u""},         // 154
    {u"でゅ", u"", u"dhu", u"", u"", u""},         // 155
    {u"でぇ", u"", u"dhe", u"", u"", u""},         // 156
    {u"でょ", u"", u"dho", u"", u"", u""},         // 157
    {u"びゃ", u"", u"bya", u"", u"", u""},         // 158
    {u"びぃ", u"", u"byi", u"", u"", u""},         // 159
    {u"びゅ", u"", u"byu", u"", u"", u""},         // 160
    {u"びぇ", u"", u"bye", u"", u"", u""},         // 161
    {u"びょ", u"", u"byo", u"", u"", u""},         // 162
    {u"ぴゃ", u"", u"pya", u"", u"", u""},         // 163
    {u"ぴぃ", u"", u"pyi", u"", u"", u""},         // 164
    {u"ぴゅ", u"", u"pyu", u"", u"", u""},         // 165
    {u"ぴぇ", u"", u"pye", u"", u"", u""},         // 166
    {u"ぴょ", u"", u"pyo", u"", u"", u""},         // 167
    {u"ヴぁ", u"", u"va", u"", u"", u""},          // 168
    {u"ヴぃ", u"", u"vi", u"vyi", u"", u"1"},      // 169
    {u"ヴぇ", u"", u"ve", u"vye", u"", u"1"},      // 170
    {u"ヴぉ", u"", u"vo", u"", u"", u""},          // 171
    {u"くぁ", u"", u"qa", u"kwa", u"qwa", u"1"},   // 172
    {u"くぃ", u"", u"qi", u"qwi", u"qyi", u"1"},   // 173
    {u"くぅ", u"", u"qwu", u"", u"", u""},         // 174
    {u"くぇ", u"", u"qe", u"qwe", u"qye", u"1"},   // 175
    {u"くぉ", u"", u"qo", u"qwo", u"", u"1"},      // 176
    {u"くゃ", u"", u"qya", u"", u"", u""},         // 177
    {u"くゅ", u"", u"qyu", u"", u"", u""},         // 178
    {u"くょ", u"", u"qyo", u"", u"", u""},         // 179
    {u"すぁ", u"", u"swa", u"", u"", u""},         // 180
    {u"すぃ", u"", u"syi", u"", u"", u""},         // 181
    {u"すぅ", u"", u"swu", u"", u"", u""},         // 182
    {u"すぇ", u"", u"swe", u"", u"", u""},         // 183
    {u"すぉ", u"", u"swo", u"", u"", u""},         // 184
    {u"つぁ", u"", u"tsa", u"", u"", u""},         // 185
    {u"つぃ", u"", u"tsi", u"", u"", u""},         // 186
    {u"つぇ", u"", u"tse", u"", u"", u""},         // 187
    {u"つぉ", u"", u"tso", u"", u"", u""},         // 188
    {u"とぁ", u"", u"twa", u"", u"", u""},         // 189
    {u"とぃ", u"", u"twi", u"", u"", u""},         // 190
    {u"とぅ", u"", u"twu", u"", u"", u""},         // 191
    {u"とぇ", u"", u"twe", u"", u"", u""},         // 192
    {u"とぉ", u"", u"two", u"", u"", u""},         // 193
    {u"ぐぁ", u"", u"gwa", u"", u"", u""},         // 194
    {u"ぐぃ", u"", u"gwi", u"", u"", u""},         // 195
    {u"ぐぅ", u"", u"gwu", u"", u"", u""},         // 196
    {u"ぐぇ", u"", u"gwe", u"", u"", u""},         // 197
    {u"ぐぉ", u"", u"gwo", u"", u"", u""},         // 198
    {u"どぁ", u"", u"dwa", u"", u"", u""},         // 199
    {u"どぃ", u"", u"dwi", u"", u"", u""},         // 200
    {u"どぅ", u"", u"dwu", u"", u"", u""},         // 201
    {u"どぇ", u"", u"dwe", u"", u"", u""},         // 202
    {u"どぉ", u"", u"dwo", u"", u"", u""},         // 203
    {u"ヴゃ", u"", u"vya", u"", u"", u""},         // 204
    {u"ヴゅ", u"", u"vyu", u"", u"", u""},         // 205
    {u"ヴょ", u"", u"vyo", u"", u"", u""},         // 206
    {u"いぇ", u"", u"ye", u"", u"", u""},          // 207
    {u"うぁ", u"", u"wha", u"", u"", u""},         // 208
    {u"うぃ", u"", u"wi", u"whi", u"", u"1"},      // 209
    {u"うぇ", u"", u"we", u"whe", u"", u"1"},      // 210
    {u"うぉ", u"", u"who", u"", u"", u""},         // 211
};

std::uint32_t PairKey(char16_t first, char16_t second) {
    return (std::uint32_t{first} << 16) | second;
}

}  // namespace

JudgeTableSet::JudgeTableSet() {
    singleUnit_.fill(-1);
}

void JudgeTableSet::SetJudgeTable() {
    for (int unit = 0; unit < kUnitCount; ++unit)
        KanaTable[unit] = kUnits[unit].kana;
    for (int unit = 0; unit < kUnitCount; ++unit)
        HankakuTable[unit] = kUnits[unit].keys;
    for (int unit = 0; unit < kUnitCount; ++unit)
        RomajiTable[unit][0] = kUnits[unit].slot0;
    for (int unit = 0; unit < kUnitCount; ++unit)
        RomajiTable[unit][1] = kUnits[unit].slot1;
    for (int unit = 0; unit < kUnitCount; ++unit)
        RomajiTable[unit][2] = kUnits[unit].slot2;
    for (int unit = 0; unit < kUnitCount; ++unit)
        ChoiceFlagTable[unit] = kUnits[unit].choice;
    BuildIndex();
}

void JudgeTableSet::BuildIndex() {
    singleUnit_.fill(-1);
    pairUnit_.clear();
    pairSecond_.reset();
    // Filled from the highest unit down so that, were two units ever equal,
    // the lowest one wins as it would in a scan from unit 0.
    for (int unit = kUnitCount - 1; unit >= 0; --unit) {
        const std::u16string& kana = KanaTable[unit];
        if (kana.size() == 1) {
            singleUnit_[kana[0]] = static_cast<std::int16_t>(unit);
        } else if (kana.size() == 2) {
            pairUnit_[PairKey(kana[0], kana[1])] = static_cast<std::int16_t>(unit);
            pairSecond_.set(kana[1]);
        }
    }
}

int JudgeTableSet::FindUnit(std::u16string_view text) const {
    if (text.size() == 1)
        return FindSingleUnit(text[0]);
    if (text.size() == 2)
        return FindPairUnit(text[0], text[1]);
    return -1;
}

int JudgeTableSet::FindPairUnit(char16_t first, char16_t second) const {
    if (!pairSecond_.test(second))
        return -1;
    const auto found = pairUnit_.find(PairKey(first, second));
    return found == pairUnit_.end() ? -1 : found->second;
}

bool JudgeTableSet::PreferSpelling(std::u16string_view kana, std::u16string_view spelling) {
    const int unit = FindUnit(kana);
    if (unit < 0)
        return false;
    Spellings& slots = RomajiTable[unit];
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!slots[slot].empty() && slots[slot] == spelling) {
            if (slot != 0)
                std::swap(slots[0], slots[slot]);
            return true;
        }
    }
    return false;
}

}  // namespace kanoby
