// The chart of the runs: kana per minute (left axis) and accuracy (right
// axis) over the last runs, oldest left, the first and last dates below.
// Drawn with the palette's colours, so that it reads in light and dark themes.
#pragma once

#include <QWidget>
#include <vector>

#include "record/RunRecord.h"

namespace kanoby {

class HistoryChart final : public QWidget {
    Q_OBJECT

  public:
    explicit HistoryChart(QWidget* parent = nullptr);

    // The runs to draw, oldest first; at most the last kMaxRuns are shown.
    void SetRuns(std::vector<const RunRecord*> runs);
    static constexpr std::size_t kMaxRuns = 100;

    QSize sizeHint() const override { return {600, 240}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<const RunRecord*> runs_;
};

}  // namespace kanoby
