// EndMessage: the small modal dialog that closes every run with "終了！".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kanoby {

class EndMessage final : public QDialog {
    Q_OBJECT

  public:
    explicit EndMessage(QWidget* owner);

    QLabel* messageLabel = nullptr;
    QPushButton* okButton = nullptr;

    void Close();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kanoby
