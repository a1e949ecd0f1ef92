// The record window (記録 → 成績を見る): the last run's figures and the kana
// missed in it, the chart of the last runs, the weak kana of the last 20
// runs, for the current list or all lists; exporting and clearing the history.
#pragma once

#include <QDialog>
#include <QString>

#include "record/HistoryFile.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kanoby {

class HistoryChart;
class MessageBoxes;

class RecordWindow final : public QDialog {
    Q_OBJECT

  public:
    // The history in `historyPath`; `currentList` is the main window's list.
    RecordWindow(const QString& historyPath, const QString& currentList, MessageBoxes& boxes,
                 QWidget* parent = nullptr);

    QComboBox* scopeBox = nullptr;  // this list only / all lists
    QLabel* lastRunLabel = nullptr;
    HistoryChart* chart = nullptr;
    QTableWidget* weakKanaTable = nullptr;
    QLabel* noteLabel = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* clearButton = nullptr;

    // Writes the CSV to `csvPath`, telling the user when it cannot.
    bool ExportTo(const QString& csvPath);
    // Removes the history, once the user has confirmed it.
    void ClearConfirmed();

    static constexpr int kWeakKanaRuns = 20;

  private:
    void Reload();
    void ShowScope();
    void AskExport();
    void AskClear();

    const QString historyPath_;
    const QString currentList_;
    MessageBoxes& boxes_;
    History history_;
};

// The figures of `run` in a line or two for the user.
QString RunSummary(const RunRecord& run);
// The kana missed in `run`, each with the keys pressed instead.
QString MissedKanaSummary(const RunRecord& run);

// Asks where to save the CSV, then saves it; for the window and the 記録 menu.
void ExportHistoryInteractively(QWidget* parent, const History& history, MessageBoxes& boxes);

}  // namespace kanoby
