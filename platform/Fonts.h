// Fonts and the twips of the window layouts.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace kanoby {

// The families tried in turn for Japanese text: the proportional Gothic the
// layouts were drawn with, then its nearest relatives.
QStringList JapaneseFontFamilies();

// A regular-weight Japanese font at `pointSize`.
QFont JapaneseFont(double pointSize, bool italic = false);

// Empty where `font`, or a font the system puts in for it, shows kana.
// Otherwise the message that says so, in Latin letters since Japanese text
// would not show either, naming the package to install.
QString MissingJapaneseFontMessage(const QFont& font);

// Layouts are given in twips; 15 twips make one logical pixel.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// A width in logical pixels as whole twips, halves rounded to even.
long long PixelsToWholeTwips(double pixels);

// `text` as much of it fits in `widthTwips` in `font`, cut with "…" at its end
// (Qt::ElideRight) or its start (Qt::ElideLeft); the text itself when it fits.
QString ElidedText(const QString& text, const QFont& font, Qt::TextElideMode mode,
                   long long widthTwips);

}  // namespace kanoby
