#include "platform/Colours.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace kanoby {

namespace {

double RelativeLuminance(const QColor& colour) {
    const auto linear = [](const double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

class TextColourKeeper final : public QObject {
  public:
    TextColourKeeper(QWidget* label, const QColor& wanted) : QObject(label), wanted_(wanted) {
        Apply(label);
        label->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange) {
            Apply(static_cast<QWidget*>(watched));  // an unchanged palette sends no new event
        }
        return false;
    }

  private:
    void Apply(QWidget* label) const {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText,
                         ReadableOn(wanted_, palette.color(QPalette::Window)));
        label->setPalette(palette);
    }

    QColor wanted_;
};

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background, const double minimum) {
    const QColor toward =
        ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background)
            ? QColor(Qt::white)
            : QColor(Qt::black);
    constexpr int kSteps = 20;
    for (int step = 0; step < kSteps; ++step) {
        // In whole 8-bit steps, so that the colour measured is the one drawn.
        const auto mix = [&](const int from, const int to) {
            return from + (to - from) * step / kSteps;
        };
        const QColor mixed(mix(wanted.red(), toward.red()), mix(wanted.green(), toward.green()),
                           mix(wanted.blue(), toward.blue()));
        if (ContrastRatio(mixed, background) >= minimum) {
            return mixed;
        }
    }
    return toward;
}

void KeepTextColour(QWidget* label, const QColor& wanted) {
    new TextColourKeeper(label, wanted);
}

}  // namespace kanoby
