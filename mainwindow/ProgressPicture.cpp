#include "mainwindow/ProgressPicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include "platform/Fonts.h"

namespace kanoby {

namespace {

// Painted text is invisible to a screen reader: this reads the picture's
// spoken form instead.
class ProgressPictureAccessible final : public QAccessibleWidget {
  public:
    explicit ProgressPictureAccessible(ProgressPicture* picture)
        : QAccessibleWidget(picture, QAccessible::StaticText) {}

    QString text(const QAccessible::Text kind) const override {
        const auto* picture = static_cast<const ProgressPicture*>(widget());
        switch (kind) {
            case QAccessible::Name:
                return picture->SpokenName();
            case QAccessible::Description:
            case QAccessible::Value:
                return picture->SpokenDescription();
            default:
                return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* PictureInterface(const QString& className, QObject* object) {
    if (className == QLatin1StringView(ProgressPicture::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType())
        return new ProgressPictureAccessible(static_cast<ProgressPicture*>(object));
    return nullptr;
}

}  // namespace

ProgressPicture::ProgressPicture(QWidget* parent) : QFrame(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PictureInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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

void ProgressPicture::Describe(const SpokenProgress& progress) {
    const bool nameChanged = progress.question != spoken_.question;
    spoken_ = progress;
    keyRejected_ = false;
    TellAccessibility(nameChanged);
}

void ProgressPicture::AnnounceRejectedKey() {
    keyRejected_ = true;
    TellAccessibility(false);
}

QString ProgressPicture::SpokenName() const {
    return spoken_.question.isEmpty() ? tr("練習の表示") : spoken_.question;
}

QString ProgressPicture::SpokenDescription() const {
    if (spoken_.reading.isEmpty())
        return tr("Enter で練習を始めます");
    // The colours say which kana is current; this says it in words.
    const QString state =
        tr("%1 — 入力済み %2、現在 %3、キー：%4")
            .arg(spoken_.reading, spoken_.doneKana, spoken_.currentKana, spoken_.nextKeys);
    return keyRejected_ ? tr("違うキーです。") + u' ' + state : state;
}

void ProgressPicture::TellAccessibility(const bool nameChanged) {
    if (!QAccessible::isActive())
        return;
    if (nameChanged) {
        QAccessibleEvent name(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

void ProgressPicture::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        TellAccessibility(true);
    QFrame::changeEvent(event);
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
