// Text from a file, a path or the system is always shown as plain text: a
// question line or a folder named "<b>" or "<img src=…>" is shown as written,
// never read as markup (which could load a file or hang on a pipe).
#pragma once

#include <QString>

class QLabel;

namespace kanoby {

// Questions longer than this are cut with "…" in their tooltip.
inline constexpr qsizetype kToolTipCharacters = 300;

// Sets `text` on `label` as plain text.
void SetPlainText(QLabel* label, const QString& text);

// A tooltip that shows `text` as written: escaped (tooltips take markup),
// wrapped to the screen, and cut at kToolTipCharacters.
QString PlainToolTip(const QString& text);

}  // namespace kanoby
