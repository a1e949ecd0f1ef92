#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace kanoby {

using namespace Qt::StringLiterals;

QStringList JapaneseFontFamilies() {
    return {
        u"ＭＳ Ｐゴシック"_s,           u"MS PGothic"_s,         u"IPAPGothic"_s, u"IPAexGothic"_s,
        u"Noto Sans CJK JP"_s,          u"Source Han Sans JP"_s, u"VL PGothic"_s, u"TakaoPGothic"_s,
        u"Hiragino Kaku Gothic ProN"_s, u"Yu Gothic UI"_s,       u"Meiryo UI"_s,  u"IPAGothic"_s,
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

QString MissingJapaneseFontMessage(const QFont& font) {
    if (QFontMetrics(font).inFont(QChar(u'\u3042'))) {  // あ
        return {};
    }
    return u"Kanoby found no font that can show Japanese text, so its questions, kana "
           "and captions show as empty boxes.\n\nInstall a Japanese font, for example "
           "the package fonts-ipafont-gothic (or another that provides "
           "fonts-japanese-gothic), then start Kanoby again."_s;
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

QString ElidedText(const QString& text, const QFont& font, const Qt::TextElideMode mode,
                   const long long widthTwips) {
    const double pixels = static_cast<double>(std::max(0LL, widthTwips)) / kTwipsPerPixel;
    return QFontMetricsF(font).elidedText(text, mode, pixels);
}

}  // namespace kanoby
