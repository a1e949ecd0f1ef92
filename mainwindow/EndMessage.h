// EndMessage: the small modal dialog that closes every run with "終了！".
#pragma once

#include <QDialog>
#include <QSet>

class QLabel;
class QPushButton;

namespace kanoby {

class EnterRepeatFilter;

class EndMessage final : public QDialog {
    Q_OBJECT

  public:
    // `repeats`, when given, tells a held key's repeats from fresh presses
    // where the platform does not mark them.
    explicit EndMessage(QWidget* owner, const EnterRepeatFilter* repeats = nullptr);

    QLabel* messageLabel = nullptr;
    QPushButton* okButton = nullptr;

    void Close();

  protected:
    void closeEvent(QCloseEvent* event) override;  // Form_Unload
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool HandleKey(const QKeyEvent& event);

    const EnterRepeatFilter* repeats_;
    // Keys pressed afresh since the dialog opened and not yet released.
    QSet<int> pressed_;
    int releasedKey_ = 0;
    quint64 releasedAt_ = 0;
};

}  // namespace kanoby
