#include "platform/EnterRepeat.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace kanoby {

bool EnterRepeatFilter::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWindowType()) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
        return false;
    }
    if (!press) {
        released_ = true;
        releasedAt_ = key->timestamp();
        return false;
    }
    return key->isAutoRepeat() || (released_ && key->timestamp() == releasedAt_ &&
                                   QGuiApplication::platformName() == QLatin1String("xcb"));
}

}  // namespace kanoby
