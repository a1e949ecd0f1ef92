#include "engine/KanaRomajiTable.h"

namespace kanoby {
namespace {

struct UnitRow {
    std::u16string_view kana;
    std::u16string_view keys;
    std::u16string_view slot0;
    std::u16string_view slot1;
    std::u16string_view slot2;
    bool choice;  // the settings dialog offers a choice
};

// One unit per line, in index order: kana, kana keys, spellings in slots 0-2,
// choice flag.
constexpr UnitRow kUnits[kUnitCount] = {
    {u"あ", u"ｱ", u"a", u"", u"", false},          // 0
    {u"い", u"ｲ", u"i", u"yi", u"", false},        // 1
    {u"う", u"ｳ", u"u", u"wu", u"whu", false},     // 2
    {u"え", u"ｴ", u"e", u"", u"", false},          // 3
    {u"お", u"ｵ", u"o", u"", u"", false},          // 4
    {u"か", u"ｶ", u"ka", u"ca", u"", true},        // 5
    {u"き", u"ｷ", u"ki", u"", u"", false},         // 6
    {u"く", u"ｸ", u"ku", u"cu", u"qu", true},      // 7
    {u"け", u"ｹ", u"ke", u"", u"", false},         // 8
    {u"こ", u"ｺ", u"ko", u"co", u"", true},        // 9
    {u"さ", u"ｻ", u"sa", u"", u"", false},         // 10
    {u"し", u"ｼ", u"si", u"shi", u"ci", true},     // 11
    {u"す", u"ｽ", u"su", u"", u"", false},         // 12
    {u"せ", u"ｾ", u"se", u"ce", u"", true},        // 13
    {u"そ", u"ｿ", u"so", u"", u"", false},         // 14
    {u"た", u"ﾀ", u"ta", u"", u"", false},         // 15
    {u"ち", u"ﾁ", u"ti", u"chi", u"", true},       // 16
    {u"つ", u"ﾂ", u"tu", u"tsu", u"", true},       // 17
    {u"て", u"ﾃ", u"te", u"", u"", false},         // 18
    {u"と", u"ﾄ", u"to", u"", u"", false},         // 19
    {u"な", u"ﾅ", u"na", u"", u"", false},         // 20
    {u"に", u"ﾆ", u"ni", u"", u"", false},         // 21
    {u"ぬ", u"ﾇ", u"nu", u"", u"", false},         // 22
    {u"ね", u"ﾈ", u"ne", u"", u"", false},         // 23
    {u"の", u"ﾉ", u"no", u"", u"", false},         // 24
    {u"は", u"ﾊ", u"ha", u"", u"", false},         // 25
    {u"ひ", u"ﾋ", u"hi", u"", u"", false},         // 26
    {u"ふ", u"ﾌ", u"fu", u"hu", u"", true},        // 27
    {u"へ", u"ﾍ", u"he", u"", u"", false},         // 28
    {u"ほ", u"ﾎ", u"ho", u"", u"", false},         // 29
    {u"ま", u"ﾏ", u"ma", u"", u"", false},         // 30
    {u"み", u"ﾐ", u"mi", u"", u"", false},         // 31
    {u"む", u"ﾑ", u"mu", u"", u"", false},         // 32
    {u"め", u"ﾒ", u"me", u"", u"", false},         // 33
    {u"も", u"ﾓ", u"mo", u"", u"", false},         // 34
    {u"や", u"ﾔ", u"ya", u"", u"", false},         // 35
    {u"ゆ", u"ﾕ", u"yu", u"", u"", false},         // 36
    {u"よ", u"ﾖ", u"yo", u"", u"", false},         // 37
    {u"ら", u"ﾗ", u"ra", u"", u"", false},         // 38
    {u"り", u"ﾘ", u"ri", u"", u"", false},         // 39
    {u"る", u"ﾙ", u"ru", u"", u"", false},         // 40
    {u"れ", u"ﾚ", u"re", u"", u"", false},         // 41
    {u"ろ", u"ﾛ", u"ro", u"", u"", false},         // 42
    {u"わ", u"ﾜ", u"wa", u"", u"", false},         // 43
    {u"を", u"ｦ", u"wo", u"", u"", false},         // 44
    {u"ん", u"ﾝ", u"|", u"nn", u"xn", true},       // 45
    {u"が", u"ｶﾞ", u"ga", u"", u"", false},        // 46
    {u"ぎ", u"ｷﾞ", u"gi", u"", u"", false},        // 47
    {u"ぐ", u"ｸﾞ", u"gu", u"", u"", false},        // 48
    {u"げ", u"ｹﾞ", u"ge", u"", u"", false},        // 49
    {u"ご", u"ｺﾞ", u"go", u"", u"", false},        // 50
    {u"ざ", u"ｻﾞ", u"za", u"", u"", false},        // 51
    {u"じ", u"ｼﾞ", u"ji", u"zi", u"", true},       // 52
    {u"ず", u"ｽﾞ", u"zu", u"", u"", false},        // 53
    {u"ぜ", u"ｾﾞ", u"ze", u"", u"", false},        // 54
    {u"ぞ", u"ｿﾞ", u"zo", u"", u"", false},        // 55
    {u"だ", u"ﾀﾞ", u"da", u"", u"", false},        // 56
    {u"ぢ", u"ﾁﾞ", u"di", u"", u"", false},        // 57
    {u"づ", u"ﾂﾞ", u"du", u"", u"", false},        // 58
    {u"で", u"ﾃﾞ", u"de", u"", u"", false},        // 59
    {u"ど", u"ﾄﾞ", u"do", u"", u"", false},        // 60
    {u"ば", u"ﾊﾞ", u"ba", u"", u"", false},        // 61
    {u"び", u"ﾋﾞ", u"bi", u"", u"", false},        // 62
    {u"ぶ", u"ﾌﾞ", u"bu", u"", u"", false},        // 63
    {u"べ", u"ﾍﾞ", u"be", u"", u"", false},        // 64
    {u"ぼ", u"ﾎﾞ", u"bo", u"", u"", false},        // 65
    {u"ぱ", u"ﾊﾟ", u"pa", u"", u"", false},        // 66
    {u"ぴ", u"ﾋﾟ", u"pi", u"", u"", false},        // 67
    {u"ぷ", u"ﾌﾟ", u"pu", u"", u"", false},        // 68
    {u"ぺ", u"ﾍﾟ", u"pe", u"", u"", false},        // 69
    {u"ぽ", u"ﾎﾟ", u"po", u"", u"", false},        // 70
    {u"ぁ", u"ｧ", u"xa", u"la", u"", true},        // 71
    {u"ぃ", u"ｨ", u"xi", u"li", u"", true},        // 72
    {u"ぅ", u"ｩ", u"xu", u"lu", u"", true},        // 73
    {u"ぇ", u"ｪ", u"xe", u"le", u"", true},        // 74
    {u"ぉ", u"ｫ", u"xo", u"lo", u"", true},        // 75
    {u"ゃ", u"ｬ", u"xya", u"lya", u"", true},      // 76
    {u"ゅ", u"ｭ", u"xyu", u"lyu", u"", true},      // 77
    {u"ょ", u"ｮ", u"xyo", u"lyo", u"", true},      // 78
    {u"っ", u"ｯ", u"~", u"xtu", u"ltu", true},     // 79
    {u"ゎ", u"", u"xwa", u"lwa", u"", true},       // 80
    {u"ヵ", u"", u"xka", u"lka", u"", true},       // 81
    {u"ヶ", u"", u"xke", u"lke", u"", true},       // 82
    {u"ヴ", u"ｳﾞ", u"vu", u"", u"", false},        // 83
    {u"ー", u"ｰ", u"-", u"", u"", false},          // 84
    {u"、", u"､", u",", u"", u"", false},          // 85
    {u"。", u"｡", u".", u"", u"", false},          // 86
    {u"「", u"｢", u"[", u"", u"", false},          // 87
    {u"」", u"｣", u"]", u"", u"", false},          // 88
    {u"・", u"･", u"/", u"", u"", false},          // 89
    {u"きゃ", u"", u"kya", u"", u"", false},       // 90
    {u"きぃ", u"", u"kyi", u"", u"", false},       // 91
    {u"きゅ", u"", u"kyu", u"", u"", false},       // 92
    {u"きぇ", u"", u"kye", u"", u"", false},       // 93
    {u"きょ", u"", u"kyo", u"", u"", false},       // 94
    {u"しゃ", u"", u"sya", u"sha", u"", true},     // 95
    {u"しぃ", u"", u"syi", u"", u"", false},       // 96
    {u"しゅ", u"", u"syu", u"shu", u"", true},     // 97
    {u"しぇ", u"", u"sye", u"she", u"", true},     // 98
    {u"しょ", u"", u"syo", u"sho", u"", true},     // 99
    {u"ちゃ", u"", u"tya", u"cya", u"cha", true},  // 100
    {u"ちぃ", u"", u"tyi", u"cyi", u"", true},     // 101
    {u"ちゅ", u"", u"tyu", u"cyu", u"chu", true},  // 102
    {u"ちぇ", u"", u"tye", u"cye", u"che", true},  // 103
    {u"ちょ", u"", u"tyo", u"cyo", u"cho", true},  // 104
    {u"てゃ", u"", u"tha", u"", u"", false},       // 105
    {u"てぃ", u"", u"thi", u"", u"", false},       // 106
    {u"てゅ", u"", u"thu", u"", u"", false},       // 107
    {u"てぇ", u"", u"the", u"", u"", false},       // 108
    {u"てょ", u"", u"tho", u"", u"", false},       // 109
    {u"にゃ", u"", u"nya", u"", u"", false},       // 110
    {u"にぃ", u"", u"nyi", u"", u"", false},       // 111
    {u"にゅ", u"", u"nyu", u"", u"", false},       // 112
    {u"にぇ", u"", u"nye", u"", u"", false},       // 113
    {u"にょ", u"", u"nyo", u"", u"", false},       // 114
    {u"ひゃ", u"", u"hya", u"", u"", false},       // 115
    {u"ひぃ", u"", u"hyi", u"", u"", false},       // 116
    {u"ひゅ", u"", u"hyu", u"", u"", false},       // 117
    {u"ひぇ", u"", u"hye", u"", u"", false},       // 118
    {u"ひょ", u"", u"hyo", u"", u"", false},       // 119
    {u"ふぁ", u"", u"fa", u"fwa", u"", true},      // 120
    {u"ふぃ", u"", u"fi", u"fwi", u"fyi", true},   // 121
    {u"ふぅ", u"", u"fwu", u"", u"", false},       // 122
    {u"ふぇ", u"", u"fe", u"fwe", u"fye", true},   // 123
    {u"ふぉ", u"", u"fo", u"fwo", u"", true},      // 124
    {u"ふゃ", u"", u"fya", u"", u"", false},       // 125
    {u"ふゅ", u"", u"fyu", u"", u"", false},       // 126
    {u"ふょ", u"", u"fyo", u"", u"", false},       // 127
    {u"みゃ", u"", u"mya", u"", u"", false},       // 128
    {u"みぃ", u"", u"myi", u"", u"", false},       // 129
    {u"みゅ", u"", u"myu", u"", u"", false},       // 130
    {u"みぇ", u"", u"mye", u"", u"", false},       // 131
    {u"みょ", u"", u"myo", u"", u"", false},       // 132
    {u"りゃ", u"", u"rya", u"", u"", false},       // 133
    {u"りぃ", u"", u"ryi", u"", u"", false},       // 134
    {u"りゅ", u"", u"ryu", u"", u"", false},       // 135
    {u"りぇ", u"", u"rye", u"", u"", false},       // 136
    {u"りょ", u"", u"ryo", u"", u"", false},       // 137
    {u"ぎゃ", u"", u"gya", u"", u"", false},       // 138
    {u"ぎぃ", u"", u"gyi", u"", u"", false},       // 139
    {u"ぎゅ", u"", u"gyu", u"", u"", false},       // 140
    {u"ぎぇ", u"", u"gye", u"", u"", false},       // 141
    {u"ぎょ", u"", u"gyo", u"", u"", false},       // 142
    {u"じゃ", u"", u"ja", u"jya", u"zya", true},   // 143
    {u"じぃ", u"", u"jyi", u"zyi", u"", true},     // 144
    {u"じゅ", u"", u"ju", u"jyu", u"zyu", true},   // 145
    {u"じぇ", u"", u"je", u"jye", u"zye", true},   // 146
    {u"じょ", u"", u"jo", u"jyo", u"zyo", true},   // 147
    {u"ぢゃ", u"", u"dya", u"", u"", false},       // 148
    {u"ぢぃ", u"", u"dyi", u"", u"", false},       // 149
    {u"ぢゅ", u"", u"dyu", u"", u"", false},       // 150
    {u"ぢぇ", u"", u"dye", u"", u"", false},       // 151
    {u"ぢょ", u"", u"dyo", u"", u"", false},       // 152
    {u"でゃ", u"", u"dha", u"", u"", false},       // 153
    {u"でぃ", u"", u"dhi", u"", u"", false},       // 154
    {u"でゅ", u"", u"dhu", u"", u"", false},       // 155
    {u"でぇ", u"", u"dhe", u"", u"", false},       // 156
    {u"でょ", u"", u"dho", u"", u"", false},       // 157
    {u"びゃ", u"", u"bya", u"", u"", false},       // 158
    {u"びぃ", u"", u"byi", u"", u"", false},       // 159
    {u"びゅ", u"", u"byu", u"", u"", false},       // 160
    {u"びぇ", u"", u"bye", u"", u"", false},       // 161
    {u"びょ", u"", u"byo", u"", u"", false},       // 162
    {u"ぴゃ", u"", u"pya", u"", u"", false},       // 163
    {u"ぴぃ", u"", u"pyi", u"", u"", false},       // 164
    {u"ぴゅ", u"", u"pyu", u"", u"", false},       // 165
    {u"ぴぇ", u"", u"pye", u"", u"", false},       // 166
    {u"ぴょ", u"", u"pyo", u"", u"", false},       // 167
    {u"ヴぁ", u"", u"va", u"", u"", false},        // 168
    {u"ヴぃ", u"", u"vi", u"vyi", u"", true},      // 169
    {u"ヴぇ", u"", u"ve", u"vye", u"", true},      // 170
    {u"ヴぉ", u"", u"vo", u"", u"", false},        // 171
    {u"くぁ", u"", u"qa", u"kwa", u"qwa", true},   // 172
    {u"くぃ", u"", u"qi", u"qwi", u"qyi", true},   // 173
    {u"くぅ", u"", u"qwu", u"", u"", false},       // 174
    {u"くぇ", u"", u"qe", u"qwe", u"qye", true},   // 175
    {u"くぉ", u"", u"qo", u"qwo", u"", true},      // 176
    {u"くゃ", u"", u"qya", u"", u"", false},       // 177
    {u"くゅ", u"", u"qyu", u"", u"", false},       // 178
    {u"くょ", u"", u"qyo", u"", u"", false},       // 179
    {u"すぁ", u"", u"swa", u"", u"", false},       // 180
    {u"すぃ", u"", u"syi", u"", u"", false},       // 181
    {u"すぅ", u"", u"swu", u"", u"", false},       // 182
    {u"すぇ", u"", u"swe", u"", u"", false},       // 183
    {u"すぉ", u"", u"swo", u"", u"", false},       // 184
    {u"つぁ", u"", u"tsa", u"", u"", false},       // 185
    {u"つぃ", u"", u"tsi", u"", u"", false},       // 186
    {u"つぇ", u"", u"tse", u"", u"", false},       // 187
    {u"つぉ", u"", u"tso", u"", u"", false},       // 188
    {u"とぁ", u"", u"twa", u"", u"", false},       // 189
    {u"とぃ", u"", u"twi", u"", u"", false},       // 190
    {u"とぅ", u"", u"twu", u"", u"", false},       // 191
    {u"とぇ", u"", u"twe", u"", u"", false},       // 192
    {u"とぉ", u"", u"two", u"", u"", false},       // 193
    {u"ぐぁ", u"", u"gwa", u"", u"", false},       // 194
    {u"ぐぃ", u"", u"gwi", u"", u"", false},       // 195
    {u"ぐぅ", u"", u"gwu", u"", u"", false},       // 196
    {u"ぐぇ", u"", u"gwe", u"", u"", false},       // 197
    {u"ぐぉ", u"", u"gwo", u"", u"", false},       // 198
    {u"どぁ", u"", u"dwa", u"", u"", false},       // 199
    {u"どぃ", u"", u"dwi", u"", u"", false},       // 200
    {u"どぅ", u"", u"dwu", u"", u"", false},       // 201
    {u"どぇ", u"", u"dwe", u"", u"", false},       // 202
    {u"どぉ", u"", u"dwo", u"", u"", false},       // 203
    {u"ヴゃ", u"", u"vya", u"", u"", false},       // 204
    {u"ヴゅ", u"", u"vyu", u"", u"", false},       // 205
    {u"ヴょ", u"", u"vyo", u"", u"", false},       // 206
    {u"いぇ", u"", u"ye", u"", u"", false},        // 207
    {u"うぁ", u"", u"wha", u"", u"", false},       // 208
    {u"うぃ", u"", u"wi", u"whi", u"", true},      // 209
    {u"うぇ", u"", u"we", u"whe", u"", true},      // 210
    {u"うぉ", u"", u"who", u"", u"", false},       // 211
};

std::uint32_t PairKey(char16_t first, char16_t second) {
    return (std::uint32_t{first} << 16) | second;
}

}  // namespace

KanaRomajiTable::KanaRomajiTable() {
    singleUnit_.fill(-1);
}

void KanaRomajiTable::Build() {
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

void KanaRomajiTable::BuildIndex() {
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

int KanaRomajiTable::FindUnit(std::u16string_view text) const {
    if (text.size() == 1)
        return FindSingleUnit(text[0]);
    if (text.size() == 2)
        return FindPairUnit(text[0], text[1]);
    return -1;
}

int KanaRomajiTable::FindPairUnit(char16_t first, char16_t second) const {
    if (!pairSecond_.test(second))
        return -1;
    const auto found = pairUnit_.find(PairKey(first, second));
    return found == pairUnit_.end() ? -1 : found->second;
}

bool KanaRomajiTable::PreferSpelling(std::u16string_view kana, std::u16string_view spelling) {
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
