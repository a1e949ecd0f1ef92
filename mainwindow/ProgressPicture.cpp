#include "mainwindow/ProgressPicture.h"

#include <QFontMetricsF>
#include <QPainter>

#include "platform/Fonts.h"

namespace kanoby {

ProgressPicture::ProgressPicture(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The light grey of a drawing surface, whatever the theme: the blue, red
    // and black parts stay apart and readable on it.
    QPalette paper = palette();
    paper.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    setPalette(paper);
    setAutoFillBackground(true);
}

void ProgressPicture::Clear() {
    drawn_.clear();
    update();
}

void ProgressPicture::DrawText(const QString& text, const QColor& colour, const long long left,
                               const long long top) {
    drawn_.append({text, colour, left, top});
    update();
}

long long ProgressPicture::TextWidth(const QString& text) const {
    return PixelsToWholeTwips(QFontMetricsF(font()).horizontalAdvance(text));
}

QString ProgressPicture::ElidedText(const QString& text, const Qt::TextElideMode mode,
                                    const long long widthTwips) const {
    return kanoby::ElidedText(text, font(), mode, widthTwips);
}

long long ProgressPicture::InnerWidth() const {
    return static_cast<long long>(contentsRect().width()) * kTwipsPerPixel;
}

void ProgressPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.setFont(font());
    const double ascent = QFontMetricsF(font()).ascent();
    for (const DrawnText& item : drawn_) {
        const double x = inner.left() + static_cast<double>(item.left) / kTwipsPerPixel;
        const double y = inner.top() + static_cast<double>(item.top) / kTwipsPerPixel;
        if (x > inner.right()) {
            continue;  // wholly past the right edge
        }
        painter.setPen(item.colour);
        painter.drawText(QPointF(x, y + ascent), item.text);
    }
}

}  // namespace kanoby
