// Colours that stay readable whatever the desktop's theme.
#pragma once

#include <QColor>

class QWidget;

namespace kanoby {

// The contrast ratio of two colours as WCAG measures it: 1 (none) to 21
// (black on white). Text wants 4.5.
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted` itself where it has `minimum` contrast against `background`, else
// the first colour on its way to white or black (whichever stands further
// from the background) that has.
QColor ReadableOn(const QColor& wanted, const QColor& background, double minimum = 4.5);

// Draws `label`'s text in `wanted`, made readable on its background, now and
// whenever the theme changes.
void KeepTextColour(QWidget* label, const QColor& wanted);

}  // namespace kanoby
