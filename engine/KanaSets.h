// The kana sets that decide how っ and ん are written and typed. Each takes
// one character of a reading, or the empty string past its end.
#pragma once

#include <string_view>

namespace kanoby {

// Before these, and at the end of a reading, っ cannot be typed by doubling.
inline bool InVowelNaKana(std::u16string_view c) {
    if (c.empty())
        return true;
    switch (c[0]) {
        case u'あ':
        case u'い':
        case u'う':
        case u'え':
        case u'お':
        case u'な':
        case u'に':
        case u'ぬ':
        case u'ね':
        case u'の':
            return true;
        default:
            return false;
    }
}

// Before these, and at the end of a reading, ん needs two keystrokes.
inline bool InVowelNaYaKana(std::u16string_view c) {
    return InVowelNaKana(c) || c[0] == u'や' || c[0] == u'ゆ' || c[0] == u'よ';
}

// Two-kana units are tried only when the next character is one of these.
inline bool InSmallKana(std::u16string_view c) {
    if (c.empty())
        return false;
    switch (c[0]) {
        case u'ぁ':
        case u'ぃ':
        case u'ぅ':
        case u'ぇ':
        case u'ぉ':
        case u'ゃ':
        case u'ゅ':
        case u'ょ':
            return true;
        default:
            return false;
    }
}

inline constexpr std::u16string_view kKanaN = u"ん";
inline constexpr std::u16string_view kKanaSokuon = u"っ";

}  // namespace kanoby
