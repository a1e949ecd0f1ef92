#include "recordwindow/HistoryChart.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "platform/Colours.h"

namespace kanoby {

using namespace Qt::StringLiterals;

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 200);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void HistoryChart::SetRuns(std::vector<const RunRecord*> runs) {
    if (runs.size() > kMaxRuns)
        runs.erase(runs.begin(), runs.end() - static_cast<std::ptrdiff_t>(kMaxRuns));
    runs_ = std::move(runs);
    update();
}

void HistoryChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor base = colours.color(QPalette::Base);
    const QColor text = colours.color(QPalette::Text);
    const QColor speedColour = ReadableOn(QColor(0x20, 0x60, 0xE0), base, 3.0);
    const QColor accuracyColour = ReadableOn(QColor(0xE0, 0x70, 0x00), base, 3.0);
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const QRect plot =
        rect().adjusted(metrics.horizontalAdvance(u"0000"_s) + 12, line + 8,
                        -(metrics.horizontalAdvance(u"100%"_s) + 12), -(2 * line + 8));
    painter.setPen(text);
    if (runs_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter,
                         QCoreApplication::translate("Record", "まだ記録がありません"));
        return;
    }

    // Kana per minute from 0 to a round top; accuracy from a round bottom to 100 %.
    double topSpeed = 10;
    double lowAccuracy = 100;
    for (const RunRecord* run : runs_) {
        topSpeed = std::max(topSpeed, KanaPerMinute(*run).value_or(0));
        lowAccuracy = std::min(lowAccuracy, AccuracyPercent(*run).value_or(100));
    }
    topSpeed = std::ceil(topSpeed / 50) * 50;
    const double bottomAccuracy = std::clamp(std::floor(lowAccuracy / 10) * 10 - 10, 0.0, 90.0);

    // Axes, grid and labels.
    painter.drawText(QRect(0, 0, width() / 2, line), Qt::AlignLeft,
                     QCoreApplication::translate("Record", "かな/分"));
    painter.drawText(QRect(width() / 2, 0, width() / 2, line), Qt::AlignRight,
                     QCoreApplication::translate("Record", "正確さ %"));
    QColor grid = text;
    grid.setAlpha(60);
    for (int step = 0; step <= 4; ++step) {
        const int y = plot.bottom() - plot.height() * step / 4;
        painter.setPen(grid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(speedColour);
        painter.drawText(QRect(0, y - line / 2, plot.left() - 6, line), Qt::AlignRight,
                         QString::number(topSpeed * step / 4, 'f', 0));
        painter.setPen(accuracyColour);
        painter.drawText(
            QRect(plot.right() + 6, y - line / 2, width(), line), Qt::AlignLeft,
            QString::number(bottomAccuracy + (100 - bottomAccuracy) * step / 4, 'f', 0));
    }
    painter.setPen(text);
    painter.drawRect(plot);
    const auto xOf = [&](const std::size_t index) {
        return runs_.size() == 1
                   ? plot.center().x()
                   : plot.left() + static_cast<double>(plot.width()) * static_cast<double>(index) /
                                       static_cast<double>(runs_.size() - 1);
    };
    const QString first = runs_.front()->started.toString(u"yyyy-MM-dd"_s);
    const QString last = runs_.back()->started.toString(u"yyyy-MM-dd"_s);
    painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), line), Qt::AlignLeft,
                     first);
    if (runs_.size() > 1)
        painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), line), Qt::AlignRight,
                         last);
    painter.drawText(QRect(plot.left(), plot.bottom() + 4 + line, plot.width(), line),
                     Qt::AlignCenter,
                     QCoreApplication::translate("Record",
                                                 "回（古い順、%1 回）　● かな/分　■ 正確さ　"
                                                 "白抜き：ミスした問題の練習")
                         .arg(runs_.size()));

    // The two lines, a mark at each run; a missed-question run's marks are hollow.
    const auto drawSeries = [&](const QColor& colour, auto valueOf, const bool square) {
        QPainterPath path;
        for (std::size_t k = 0; k < runs_.size(); ++k) {
            const QPointF point(xOf(k), valueOf(*runs_[k]));
            k == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        painter.setPen(QPen(colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        for (std::size_t k = 0; k < runs_.size(); ++k) {
            const QPointF point(xOf(k), valueOf(*runs_[k]));
            painter.setBrush(runs_[k]->kind == RunKind::MissedQuestions ? QBrush(base)
                                                                        : QBrush(colour));
            const QRectF mark(point.x() - 3.5, point.y() - 3.5, 7, 7);
            square ? painter.drawRect(mark) : painter.drawEllipse(mark);
        }
    };
    drawSeries(
        speedColour,
        [&](const RunRecord& run) {
            return plot.bottom() - plot.height() * KanaPerMinute(run).value_or(0) / topSpeed;
        },
        false);
    drawSeries(
        accuracyColour,
        [&](const RunRecord& run) {
            const double accuracy = AccuracyPercent(run).value_or(100);
            return plot.bottom() -
                   plot.height() * (accuracy - bottomAccuracy) / (100 - bottomAccuracy);
        },
        true);
}

}  // namespace kanoby
