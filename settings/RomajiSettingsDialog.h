// The romaji settings dialog: for each kana that offers a choice, which
// spelling the guide shows. OK writes Roman.ini and applies it to the table;
// every other way of closing changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace kanoby {

class KanaRomajiTable;
class MessageBoxes;

// Spellings for every kana at once: the table's own order (訓令式), Hepburn
// (shi, chi, tsu, fu, ji, sha, cha, ja, and ん as n), or what the user chose
// kana by kana.
enum class RomajiPreset { Kunrei, Hepburn, Custom };

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
    // How っ's doubling of the next consonant reads in a box.
    static QString DoublingText();

    void FillPairs();
    // Selects in every box the spelling `preset` gives; Custom restores the
    // choices the dialog opened with.
    void ApplyPreset(RomajiPreset preset);
    QComboBox* presetBox = nullptr;
    void Save();
    void Cancel();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The preset whose spellings every box shows, or Custom.
    RomajiPreset MatchingPreset() const;

    KanaRomajiTable& table_;
    QStringList openedWith_;  // each box's choice when the dialog opened
    bool applyingPreset_ = false;
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
