// Message boxes go through this interface so that tests can record them
// instead of opening a window.
#pragma once

#include <QString>

class QWidget;

namespace kanoby {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows `text` with the title "Kanoby" and an OK button only, and returns
    // when the user has dismissed it.
    virtual void Show(QWidget* parent, const QString& text) = 0;
};

// The real, modal message box.
class QtMessageBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* parent, const QString& text) override;
};

}  // namespace kanoby
