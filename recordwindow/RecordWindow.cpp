#include "recordwindow/RecordWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "platform/MessageBox.h"
#include "platform/PlainText.h"
#include "record/HistoryReport.h"
#include "recordwindow/HistoryChart.h"

namespace kanoby {

using namespace Qt::StringLiterals;

QString RunSummary(const RunRecord& run) {
    const auto orDash = [](const QString& figure) { return figure.isEmpty() ? u"—"_s : figure; };
    QString text =
        RecordWindow::tr("%1　%2　%3%4")
            .arg(run.started.toString(u"yyyy-MM-dd HH:mm"_s), QFileInfo(run.list).fileName(),
                 run.mode == RecordedMode::Romaji ? RecordWindow::tr("ローマ字")
                                                  : RecordWindow::tr("かな"),
                 run.kind == RunKind::MissedQuestions ? RecordWindow::tr("（ミスした問題の練習）")
                                                      : QString());
    text += u'\n';
    text += RecordWindow::tr(
                "問題 %1　かな %2　時間 %3 秒　かな/分 %4　キー/分 %5　"
                "正確さ %6 %（正しいキー %7／ミス %8）")
                .arg(run.questions)
                .arg(run.kana)
                .arg(QString::number(static_cast<double>(run.typingMs) / 1000.0, 'f', 1),
                     orDash(OneDecimal(KanaPerMinute(run))), orDash(OneDecimal(KeysPerMinute(run))),
                     orDash(OneDecimal(AccuracyPercent(run))))
                .arg(run.keys)
                .arg(run.misses);
    return text;
}

QString MissedKanaSummary(const RunRecord& run) {
    if (run.missList.empty())
        return RecordWindow::tr("ミスはありませんでした。");
    std::map<QString, QStringList> keysOf;
    QStringList order;
    for (const Miss& miss : run.missList) {
        if (!keysOf.contains(miss.kana))
            order << miss.kana;
        keysOf[miss.kana] << (miss.key == u" "_s ? RecordWindow::tr("スペース") : miss.key);
    }
    QStringList parts;
    for (const QString& kana : order)
        parts << RecordWindow::tr("「%1」← %2").arg(kana, keysOf[kana].join(u' '));
    return RecordWindow::tr("ミスしたかな（押したキー）：") + parts.join(u"　"_s);
}

RecordWindow::RecordWindow(const QString& historyPath, const QString& currentList,
                           MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), historyPath_(historyPath), currentList_(currentList), boxes_(boxes) {
    setObjectName(u"RecordWindow"_s);
    setWindowTitle(tr("Kanoby　成績"));
    auto* layout = new QVBoxLayout(this);

    scopeBox = new QComboBox(this);
    scopeBox->setObjectName(u"scopeBox"_s);
    scopeBox->addItem(tr("この一覧のみ：%1").arg(QFileInfo(currentList).fileName()));
    scopeBox->addItem(tr("すべての一覧"));
    layout->addWidget(scopeBox);

    auto* lastRunBox = new QGroupBox(tr("前回"), this);
    auto* lastRunLayout = new QVBoxLayout(lastRunBox);
    lastRunLabel = new QLabel(lastRunBox);
    lastRunLabel->setObjectName(u"lastRunLabel"_s);
    lastRunLabel->setTextFormat(Qt::PlainText);
    lastRunLabel->setWordWrap(true);
    lastRunLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lastRunLayout->addWidget(lastRunLabel);
    layout->addWidget(lastRunBox);

    chart = new HistoryChart(this);
    chart->setObjectName(u"historyChart"_s);
    chart->setAccessibleName(tr("かな/分と正確さのグラフ"));
    layout->addWidget(chart, 1);

    layout->addWidget(new QLabel(tr("よくミスするかな（最近 %1 回）").arg(kWeakKanaRuns), this));
    weakKanaTable = new QTableWidget(0, 4, this);
    weakKanaTable->setObjectName(u"weakKanaTable"_s);
    weakKanaTable->setHorizontalHeaderLabels(
        {tr("かな"), tr("ミス"), tr("ミス率"), tr("代わりに押したキー")});
    weakKanaTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    weakKanaTable->verticalHeader()->hide();
    weakKanaTable->horizontalHeader()->setStretchLastSection(true);
    weakKanaTable->setMinimumHeight(160);
    layout->addWidget(weakKanaTable);

    noteLabel = new QLabel(this);
    noteLabel->setObjectName(u"noteLabel"_s);
    noteLabel->setTextFormat(Qt::PlainText);
    noteLabel->setWordWrap(true);
    layout->addWidget(noteLabel);

    // Closing is what Enter does here; clearing is never one key away.
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* closeButton = buttons->addButton(tr("閉じる"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(u"closeButton"_s);
    closeButton->setDefault(true);
    exportButton = buttons->addButton(tr("書き出す(&E)…"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(u"exportButton"_s);
    clearButton = buttons->addButton(tr("記録を消す…"), QDialogButtonBox::DestructiveRole);
    clearButton->setObjectName(u"clearButton"_s);
    layout->addWidget(buttons);
    exportButton->setAutoDefault(false);
    clearButton->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &RecordWindow::AskExport);
    connect(clearButton, &QPushButton::clicked, this, &RecordWindow::AskClear);
    connect(scopeBox, &QComboBox::currentIndexChanged, this, &RecordWindow::ShowScope);

    resize(720, 640);
    Reload();
    closeButton->setFocus();
}

void RecordWindow::Reload() {
    history_ = ReadHistory(historyPath_);
    if (!history_.error.isEmpty())
        boxes_.Show(this, history_.error);
    ShowScope();
}

void RecordWindow::ShowScope() {
    const QString list = scopeBox->currentIndex() == 0 ? currentList_ : QString();
    const std::vector<const RunRecord*> runs = RunsOf(history_, list);
    if (runs.empty()) {
        SetPlainText(lastRunLabel, tr("まだ記録がありません。"));
    } else {
        SetPlainText(lastRunLabel,
                     RunSummary(*runs.back()) + u'\n' + MissedKanaSummary(*runs.back()));
    }
    chart->SetRuns(runs);

    const std::size_t recent = std::min<std::size_t>(runs.size(), kWeakKanaRuns);
    const std::vector<WeakKana> weak = RankWeakKana(std::vector<const RunRecord*>(
        runs.end() - static_cast<std::ptrdiff_t>(recent), runs.end()));
    weakKanaTable->setRowCount(static_cast<int>(weak.size()));
    for (int row = 0; row < static_cast<int>(weak.size()); ++row) {
        const WeakKana& kana = weak[static_cast<std::size_t>(row)];
        const QStringList cells{kana.kana, QString::number(kana.misses),
                                OneDecimal(kana.MissRatePercent()) + u" %"_s,
                                kana.insteadKeys.join(u' ')};
        for (int column = 0; column < cells.size(); ++column)
            weakKanaTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    SetPlainText(noteLabel, SkippedNote(history_));
    exportButton->setEnabled(!history_.runs.empty());
    clearButton->setEnabled(!history_.runs.empty() || QFileInfo::exists(historyPath_));
}

bool RecordWindow::ExportTo(const QString& csvPath) {
    QString error;
    if (ExportHistory(history_, csvPath, &error))
        return true;
    boxes_.Show(this, error);
    return false;
}

void ExportHistoryInteractively(QWidget* parent, const History& history, MessageBoxes& boxes) {
    const QString path = QFileDialog::getSaveFileName(
        parent, RecordWindow::tr("記録を書き出す"), QDir::home().filePath(u"kanoby-history.csv"_s),
        RecordWindow::tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportHistory(history, path, &error))
        boxes.Show(parent, error);
    else if (const QString note = SkippedNote(history); !note.isEmpty())
        boxes.Show(parent, RecordWindow::tr("書き出しました。") + u'\n' + note);
}

void RecordWindow::AskExport() {
    ExportHistoryInteractively(this, history_, boxes_);
}

void RecordWindow::AskClear() {
    const auto answer =
        QMessageBox::question(this, u"Kanoby"_s, tr("すべての記録を消しますか？　元に戻せません。"),
                              QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        ClearConfirmed();
}

void RecordWindow::ClearConfirmed() {
    QString error;
    if (!ClearHistory(historyPath_, &error))
        boxes_.Show(this, error);
    Reload();
}

}  // namespace kanoby
