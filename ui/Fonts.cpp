#include "ui/Fonts.h"

#include <cmath>

namespace kanoby {

QStringList JapaneseFontFamilies() {
    return {
        u"ＭＳ Ｐゴシック"_qs, u"MS PGothic"_qs,       u"IPAPGothic"_qs,
        u"IPAexGothic"_qs,     u"Noto Sans CJK JP"_qs, u"Source Han Sans JP"_qs,
        u"VL PGothic"_qs,      u"TakaoPGothic"_qs,     u"Hiragino Kaku Gothic ProN"_qs,
        u"Yu Gothic UI"_qs,    u"Meiryo UI"_qs,        u"IPAGothic"_qs,
    };
}

QFont JapaneseFont(const double pointSize, const bool italic) {
    QFont font;
    font.setFamilies(JapaneseFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(italic);
    return font;
}

int TwipsToPixels(const int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect TwipsRect(const int left, const int top, const int width, const int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

long long PixelsToWholeTwips(const double pixels) {
    // nearbyint rounds halves to even in the default rounding mode.
    return std::llrint(pixels * kTwipsPerPixel);
}

}  // namespace kanoby
