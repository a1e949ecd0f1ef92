// The main window's part in the record of the runs: the 練習, 記録 and 表示
// items, storing a run when it ends, and the two opt-in lines (the missed
// key under the picture, the question count by the question).
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>

#include "engine/KanaSets.h"
#include "files/EngineText.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgressPicture.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/PlainText.h"
#include "record/HistoryFile.h"
#include "record/HistoryReport.h"
#include "recordwindow/RecordWindow.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kShowMissedKeyKey = u"view/showMissedKey"_s;
const QString kShowProgressKey = u"view/showProgress"_s;

// The spellings of the unit at the 1-based `pos` of `reading`, a pair unit
// (しゃ) before a single one; empty when the table has none to offer.
QStringList SpellingsAt(const KanaRomajiTable& table, const std::u16string& reading,
                        const std::size_t pos) {
    if (pos < 1 || pos > reading.size())
        return {};
    const char16_t first = TypedAs(reading[pos - 1]);
    int unit = pos < reading.size() ? table.FindPairUnit(first, reading[pos]) : -1;
    if (unit < 0)
        unit = table.FindSingleUnit(first);
    if (unit < 0)
        return {};
    QStringList spellings;
    for (const std::u16string& spelling : table.RomajiTable[static_cast<std::size_t>(unit)]) {
        if (!spelling.empty() && spelling != kSingleNMarker && spelling != kDoublingMarker)
            spellings << FromEngineText(spelling);
    }
    return spellings;
}

}  // namespace

void MainWindow::BuildRecordMenus() {
    practiseMissedAction = practiceMenu->addAction(QString());
    practiseMissedAction->setObjectName(u"practiseMissedAction"_s);
    connect(practiseMissedAction, &QAction::triggered, this, &MainWindow::PractiseMissedQuestions);

    showRecordAction = recordMenu->addAction(QString());
    showRecordAction->setObjectName(u"showRecordAction"_s);
    connect(showRecordAction, &QAction::triggered, this, &MainWindow::OpenRecordWindow);
    exportHistoryAction = recordMenu->addAction(QString());
    exportHistoryAction->setObjectName(u"exportHistoryAction"_s);
    connect(exportHistoryAction, &QAction::triggered, this, &MainWindow::ExportHistoryFromMenu);
    recordMenu->addSeparator();
    clearHistoryAction = recordMenu->addAction(QString());
    clearHistoryAction->setObjectName(u"clearHistoryAction"_s);
    connect(clearHistoryAction, &QAction::triggered, this, &MainWindow::ClearHistoryFromMenu);

    // Their texts come with the others' in Retranslate().
    const auto addCheck = [this](const QString& name, const QString& key) {
        QAction* action = viewMenu->addAction(QString());
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(programSettings_.Value(key, false).toBool());
        connect(action, &QAction::toggled, this, [this, key](const bool on) {
            QString error;
            if (!programSettings_.SetValue(key, on, &error))
                boxes_.Show(this, error);
            if (running_)
                ShowProgressCount();
            if (!on)
                missedKeyLine->hide();
        });
        return action;
    };
    showMissedKeyAction = addCheck(u"showMissedKeyAction"_s, kShowMissedKeyKey);
    showProgressAction = addCheck(u"showProgressAction"_s, kShowProgressKey);

    // In the strip between the picture and the hint, and under the question:
    // hidden unless asked for, so the window keeps its size and look.
    QWidget* client = centralWidget();
    missedKeyLine = new QLabel(client);
    missedKeyLine->setObjectName(u"missedKeyLine"_s);
    missedKeyLine->setGeometry(TwipsRect(240, 2295, 6615, 225));
    missedKeyLine->setFont(JapaneseFont(8.25));
    missedKeyLine->setTextFormat(Qt::PlainText);
    missedKeyLine->hide();
    progressCount = new QLabel(client);
    progressCount->setObjectName(u"progressCount"_s);
    progressCount->setGeometry(TwipsRect(120, 540, 1500, 255));
    progressCount->setFont(JapaneseFont(9));
    progressCount->setTextFormat(Qt::PlainText);
    progressCount->hide();
}

QString MainWindow::HistoryPath() const {
    return HistoryFilePath(files_.questionDir);
}

void MainWindow::StoreRun() {
    const std::optional<RunRecord> run = recorder_.End(
        clock_(), SelectedMode() == InputMode::Romaji ? RecordedMode::Romaji : RecordedMode::Kana,
        static_cast<int>(judge_.ReadPos));
    if (!run)
        return;
    QString error;
    if (AppendRun(HistoryPath(), *run, &error)) {
        // This run is now the list's last: its misses are the ones to practise,
        // with no need to read the history back.
        History stored;
        stored.runs.push_back(*run);
        SetMissedQuestions(MissedQuestions(stored, run->list));
    } else if (!storeFailureShown_) {
        // Once: a learner on a read-only folder is not stopped after every run.
        storeFailureShown_ = true;
        boxes_.Show(this, error);
    }
}

void MainWindow::RefreshMissedQuestions() {
    SetMissedQuestions(
        MissedQuestions(ReadHistory(HistoryPath(), kHistoryReadCap, 0), CurrentListPath()));
}

void MainWindow::SetMissedQuestions(const std::set<int>& questions) {
    missedQuestions_.clear();
    for (const int question : questions) {
        if (question < questions_.QuestionCount &&
            !questions_.Skipped[static_cast<std::size_t>(question)])
            missedQuestions_.insert(question);
    }
    practiseMissedAction->setEnabled(!missedQuestions_.empty());
}

void MainWindow::PractiseMissedQuestions() {
    if (running_ || missedQuestions_.empty())
        return;
    StartRun(RunKind::MissedQuestions);
    TakeKeyboardFocus();
}

void MainWindow::OpenRecordWindow() {
    RecordWindow window(HistoryPath(), CurrentListPath(), boxes_, this);
    window.exec();
    RefreshMissedQuestions();
    TakeKeyboardFocus();
}

void MainWindow::ExportHistoryFromMenu() {
    const History history = ReadHistory(HistoryPath());
    if (!history.error.isEmpty()) {
        boxes_.Show(this, history.error);
        return;
    }
    ExportHistoryInteractively(this, history, boxes_);
    TakeKeyboardFocus();
}

void MainWindow::ClearHistoryFromMenu() {
    const auto answer =
        QMessageBox::question(this, u"Kanoby"_s, tr("すべての記録を消しますか？　元に戻せません。"),
                              QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        QString error;
        if (!ClearHistory(HistoryPath(), &error))
            boxes_.Show(this, error);
        RefreshMissedQuestions();
    }
    TakeKeyboardFocus();
}

// 「x」→ か は ka / ca: what was pressed and what the kana being typed takes.
void MainWindow::ShowMissedKey() {
    if (!showMissedKeyAction->isChecked())
        return;
    const bool romaji = SelectedMode() == InputMode::Romaji;
    const QString pressed = FromEngineText(romaji ? judge_.KeyChar : judge_.KeyKana);
    const QString kana = FromEngineText(CharAt(judge_.Reading, judge_.ReadPos));
    QStringList takes;
    if (romaji)
        takes = SpellingsAt(judgeTables_, judge_.Reading, judge_.ReadPos);
    if (takes.isEmpty())
        takes << FromEngineText(judge_.UnitKeys) + FromEngineText(CharAt(judge_.GuideText, 1));
    SetPlainText(missedKeyLine,
                 tr("「%1」→ %2 は %3")
                     .arg(pressed == u" "_s ? tr("スペース") : pressed,
                          kana == u" "_s || kana == u"\u3000"_s ? tr("スペース") : kana,
                          takes.join(u" / "_s)));
    missedKeyLine->show();
}

void MainWindow::ShowProgressCount() {
    if (!running_ || !showProgressAction->isChecked()) {
        progressCount->hide();
        return;
    }
    // The run's own order: random, picked up where the list was left, or
    // the missed questions alone.
    SetPlainText(progressCount, u"%1 / %2"_s.arg(runStep_ + 1).arg(runQuestions_.size()));
    progressCount->show();
}

}  // namespace kanoby
