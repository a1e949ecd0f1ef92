// A held Enter toggles the run once: the key's repeats are dropped before any
// window sees them.
#pragma once

#include <QObject>

namespace kanoby {

// Installed on the application, it drops every auto-repeated Enter press
// sent to a window. X repeats a held key as a release and a press with the
// same time stamp; Qt marks the press as a repeat only when both reach the
// same window, and often not even then. Here the time stamps tell, whichever
// window each went to. (Elsewhere Qt marks repeats itself.)
class EnterRepeatFilter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool released_ = false;
    quint64 releasedAt_ = 0;
};

}  // namespace kanoby
