#pragma once

#include "library/practice_log.h"

#include <QString>
#include <QWidget>
#include <vector>

namespace strumvale::practice {

// A pair's changes a minute against the days it was drilled: one point a day,
// joined, dates along the bottom and the rate up the left.
class ProgressPlot : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPlot(QWidget* parent = nullptr);

    void setDays(std::vector<library::DayResult> days);
    // Said when there is nothing to plot.
    void setEmptyText(const QString& text);
    void setAxisText(const QString& text);

    const std::vector<library::DayResult>& days() const { return days_; }
    // Where each day's point is drawn, in widget pixels.
    std::vector<QPointF> points() const;
    QSize sizeHint() const override { return {360, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    double highest() const;
    void describe();

    std::vector<library::DayResult> days_;
    QString emptyText_;
    QString axisText_;
};

} // namespace strumvale::practice
