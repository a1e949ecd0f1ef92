// Message boxes go through this interface so that tests can record them
// instead of opening a window.
#pragma once

#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

namespace kanoby {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows `text` with the title "Kanoby" and an OK button only, and returns
    // when the user has dismissed it.
    virtual void Show(QWidget* parent, const QString& text) = 0;
    // The same for a message about the folder `folder`, which the user may
    // need to find by hand: its path follows the text, and can be copied.
    virtual void ShowFolder(QWidget* parent, const QString& text, const QString& folder) {
        Show(parent, text + u'\n' + folder);
    }
};

// The real, modal message box.
class QtMessageBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* parent, const QString& text) override;
    void ShowFolder(QWidget* parent, const QString& text, const QString& folder) override;
};

// The box QtMessageBoxes shows. Its text, which often holds a path or a line
// of a file, is plain text: a folder named <b> is not made bold, nor is a
// <img src=…> in it ever loaded.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text);

}  // namespace kanoby
