// The romaji settings dialog: for each kana that offers a choice, which
// spelling the guide shows. OK writes Roman.ini and applies it to the table;
// every other way of closing changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace kanoby {

class KanaRomajiTable;
class MessageBoxes;

class RomajiSettingsDialog final : public QDialog {
    Q_OBJECT

  public:
    // 49 pairs leave room for one more flagged unit than the table has.
    static constexpr int kPairCount = 49;

    // `settingsDir` is where Roman.ini is written; `owner` is the main window,
    // over which the dialog is modal and centred.
    RomajiSettingsDialog(KanaRomajiTable& table, const QString& settingsDir, MessageBoxes& messages,
                         QWidget* owner);

    // The text a box shows for a spelling, and back: the markers of ん and っ
    // mean nothing to the user, so they read as what typing them is.
    static QString DisplayText(const QString& spelling);
    static QString SpellingOf(const QString& displayText);

    void FillPairs();
    void Save();
    void Cancel();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    KanaRomajiTable& table_;
    const QString settingsDir_;
    MessageBoxes& messages_;

    QLabel* instructionLabel;
    QLabel* noteLabel;
    std::array<QLabel*, kPairCount> kanaLabels{};
    std::array<QComboBox*, kPairCount> spellingBoxes{};
    QPushButton* okButton;
    QPushButton* cancelButton;
};

}  // namespace kanoby
