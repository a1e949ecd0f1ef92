#include "platform/EnterRepeat.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace kanoby {

bool EnterRepeatFilter::IsRepeat(const QKeyEvent& press) const {
    return press.isAutoRepeat() ||
           (releasedKey_ != 0 && press.key() == releasedKey_ && press.timestamp() == releasedAt_ &&
            QGuiApplication::platformName() == QLatin1String("xcb"));
}

bool EnterRepeatFilter::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWindowType()) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (!press) {
        releasedKey_ = key->key();
        releasedAt_ = key->timestamp();
        return false;
    }
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && IsRepeat(*key);
}

}  // namespace kanoby
