// The record window on a history of two lists: the last run and its missed
// kana, the weak kana, the scope, a note of skipped lines, export and clear.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "platform/MessageBox.h"
#include "record/HistoryReport.h"
#include "recordwindow/RecordWindow.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

struct NoBoxes final : MessageBoxes {
    void Show(QWidget*, const QString& text) override { shown << text; }
    QStringList shown;
};

RunRecord MakeRun(const QString& list, std::vector<Miss> misses) {
    RunRecord run;
    run.started = QDateTime(QDate(2026, 12, 8), QTime(9, 15), Qt::OffsetFromUTC, 9 * 3600);
    run.list = list;
    run.questions = 3;
    run.kana = 20;
    run.keys = 40;
    run.misses = static_cast<int>(misses.size());
    run.typingMs = 30000;
    run.missList = std::move(misses);
    run.kanaCounts = {{u"し"_s, 4}, {u"つ"_s, 2}};
    return run;
}

TEST(RecordWindow, ShowsTheLastRunTheWeakKanaAndExportsAndClears) {
    const QTemporaryDir dir;
    const QString path = HistoryFilePath(dir.path());
    const QString list = dir.filePath(u"word.txt"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(FormatRunLine(MakeRun(list, {{0, 1, u"し"_s, u"c"_s, u"s"_s}})));
    file.write("junk\n");
    file.write(FormatRunLine(MakeRun(list, {{0, 1, u"し"_s, u"x"_s, u"s"_s},
                                            {1, 2, u"つ"_s, u"y"_s, u"t"_s},
                                            {0, 1, u"し"_s, u"c"_s, u"s"_s}})));
    file.write(FormatRunLine(MakeRun(dir.filePath(u"other.txt"_s), {})));
    file.close();

    NoBoxes boxes;
    RecordWindow window(path, list, boxes);
    EXPECT_EQ(window.lastRunLabel->text(),
              u"2026-12-08 09:15　word.txt　ローマ字\n"
              u"問題 3　かな 20　時間 30.0 秒　かな/分 40.0　キー/分 80.0　正確さ 93.0 %"
              u"（正しいキー 40／ミス 3）\n"
              u"ミスしたかな（押したキー）：「し」← x c　「つ」← y"_s);
    QStringList rows;
    for (int row = 0; row < window.weakKanaTable->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << window.weakKanaTable->item(row, column)->text();
        rows << cells.join(u' ');
    }
    EXPECT_EQ(rows, QStringList({u"し 3 25.0 % c x"_s, u"つ 1 25.0 % y"_s}));
    EXPECT_EQ(window.noteLabel->text(), u"記録でない 1 行を読み飛ばしました。"_s);

    window.scopeBox->setCurrentIndex(1);
    EXPECT_TRUE(window.lastRunLabel->text().contains(u"other.txt"_s));
    EXPECT_TRUE(window.lastRunLabel->text().endsWith(u"ミスはありませんでした。"_s));

    const QString csv = dir.filePath(u"out.csv"_s);
    ASSERT_TRUE(window.ExportTo(csv));
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll().count("\r\n"), 4);

    window.ClearConfirmed();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(window.lastRunLabel->text(), u"まだ記録がありません。"_s);
    EXPECT_FALSE(window.exportButton->isEnabled());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace kanoby
