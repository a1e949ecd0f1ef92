// The kana sets that decide how っ and ん are written and typed.
#pragma once

#include <string_view>

namespace kanoby {

// Before these, and at the end of a reading, っ cannot be typed by doubling.
inline bool InVowelNaKana(std::u16string_view c) {
    return c.empty() ||
           std::u16string_view(u"あいうえおなにぬねの").find(c) != std::u16string_view::npos;
}

// Before these, and at the end of a reading, ん needs two keystrokes.
inline bool InVowelNaYaKana(std::u16string_view c) {
    return c.empty() ||
           std::u16string_view(u"あいうえおなにぬねのやゆよ").find(c) != std::u16string_view::npos;
}

// Two-kana units are tried only when the next character is one of these.
inline bool InSmallKana(std::u16string_view c) {
    return !c.empty() &&
           std::u16string_view(u"ぁぃぅぇぉゃゅょ").find(c) != std::u16string_view::npos;
}

inline constexpr std::u16string_view kKanaN = u"ん";
inline constexpr std::u16string_view kKanaSokuon = u"っ";

}  // namespace kanoby
