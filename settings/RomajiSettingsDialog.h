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

class JudgeTableSet;
class MessageBoxes;

class RomanSetting final : public QDialog {
    Q_OBJECT

  public:
    // 49 pairs leave room for one more flagged unit than the table has.
    static constexpr int kPairCount = 49;

    // `programDir` is where Roman.ini is written; `owner` is the main window,
    // over which the dialog is modal and centred.
    RomanSetting(JudgeTableSet& table, const QString& programDir, MessageBoxes& messages,
                 QWidget* owner);

    // The text a box shows for a spelling, and back: the markers of ん and っ
    // mean nothing to the user, so they read as what typing them is.
    static QString DisplayText(const QString& spelling);
    static QString SpellingOf(const QString& displayText);

    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    JudgeTableSet& table_;
    const QString programDir_;
    MessageBoxes& messages_;

    QLabel* Label1;
    QLabel* Label2;
    std::array<QLabel*, kPairCount> Label3{};
    std::array<QComboBox*, kPairCount> Combo1{};
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

}  // namespace kanoby
