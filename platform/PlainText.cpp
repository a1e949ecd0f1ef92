#include "platform/PlainText.h"

#include <QLabel>
#include <QTextDocument>

namespace kanoby {

using namespace Qt::StringLiterals;

void SetPlainText(QLabel* label, const QString& text) {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

QString PlainToolTip(const QString& text) {
    if (text.isEmpty())
        return {};
    qsizetype cut = std::min(text.size(), kToolTipCharacters);
    if (cut < text.size() && text[cut - 1].isHighSurrogate())
        --cut;
    const QString shown = cut < text.size() ? text.left(cut) + u'…' : text;
    // A marked-up tooltip is wrapped to a sensible width by Qt.
    return Qt::convertFromPlainText(shown, Qt::WhiteSpaceNormal);
}

}  // namespace kanoby
