// A held Enter toggles the run once: the key's repeats are dropped before any
// window sees them. Other keys' repeats are told apart here too, for the
// dialogs that a held key must not close.
#pragma once

#include <QObject>

class QKeyEvent;

namespace kanoby {

// Installed on the application, it drops every auto-repeated Enter press
// sent to a window. X repeats a held key as a release and a press with the
// same time stamp; Qt marks the press as a repeat only when both reach the
// same window, and often not even then. Here the time stamps tell, whichever
// window each went to. (Elsewhere Qt marks repeats itself.)
class EnterRepeatFilter final : public QObject {
  public:
    using QObject::QObject;

    // Whether `press`, a key press being delivered now, only repeats a key
    // held down.
    bool IsRepeat(const QKeyEvent& press) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int releasedKey_ = 0;
    quint64 releasedAt_ = 0;
};

}  // namespace kanoby
