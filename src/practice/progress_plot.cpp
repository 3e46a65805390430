#include "practice/progress_plot.h"

#include "uikit/text.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <utility>

namespace strumvale::practice {
namespace {

constexpr qreal kMargin = 6;
constexpr qreal kPointRadius = 3.5;

// Days since 1970 of a YYYY-MM-DD date, so the plot spaces days as the
// calendar does; the log reads only dates of that form.
double dayNumber(const std::string& date) {
    const auto number = [&](std::size_t at, std::size_t length) {
        return std::stoi(date.substr(at, length));
    };
    const std::chrono::year_month_day day{std::chrono::year(number(0, 4)),
                                          std::chrono::month(unsigned(number(5, 2))),
                                          std::chrono::day(unsigned(number(8, 2)))};
    return double(std::chrono::sys_days(day).time_since_epoch().count());
}

} // namespace

ProgressPlot::ProgressPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ProgressPlot::setDays(std::vector<library::DayResult> days) {
    days_ = std::move(days);
    describe();
    update();
}

void ProgressPlot::setEmptyText(const QString& text) {
    emptyText_ = text;
    describe();
    update();
}

void ProgressPlot::setAxisText(const QString& text) {
    axisText_ = text;
    setAccessibleName(text);
    update();
}

// The whole plot as text: "2026-12-01 21.0; 2026-12-02 24.5".
void ProgressPlot::describe() {
    QStringList said;
    for (const library::DayResult& day : days_)
        said << uikit::toQString(day.date) + QLatin1Char(' ') +
                    QString::number(day.changesPerMinute, 'f', 1);
    setAccessibleDescription(said.isEmpty() ? emptyText_ : said.join(QStringLiteral("; ")));
}

double ProgressPlot::highest() const {
    double most = 0;
    for (const library::DayResult& day : days_)
        most = std::max(most, day.changesPerMinute);
    // A round top a little above the best day, ten at least.
    return std::max(10.0, std::ceil(most * 1.1 / 10) * 10);
}

QRectF ProgressPlot::plotArea() const {
    const QFontMetricsF metrics(font());
    const qreal left = metrics.horizontalAdvance(QStringLiteral("000")) + 2 * kMargin;
    const qreal bottom = metrics.height() + 2 * kMargin;
    const qreal top = metrics.height() + kMargin;
    return QRectF(left, top, width() - left - 2 * kMargin, height() - top - bottom);
}

std::vector<QPointF> ProgressPlot::points() const {
    const QRectF area = plotArea();
    const double top = highest();
    std::vector<QPointF> points;
    if (days_.empty())
        return points;
    const double first = dayNumber(days_.front().date);
    const double span = dayNumber(days_.back().date) - first;
    for (std::size_t i = 0; i < days_.size(); ++i) {
        const qreal x =
            span <= 0 ? area.center().x()
                      : area.left() + area.width() * (dayNumber(days_[i].date) - first) / span;
        const qreal y = area.bottom() - area.height() * days_[i].changesPerMinute / top;
        points.emplace_back(x, y);
    }
    return points;
}

void ProgressPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    const QColor line = palette().color(QPalette::Highlight);
    painter.setPen(ink);
    const QRectF area = plotArea();
    const QFontMetricsF metrics(font());
    painter.drawText(QRectF(kMargin, 0, width() - 2 * kMargin, metrics.height() + kMargin),
                     Qt::AlignLeft | Qt::AlignVCenter, axisText_);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    const double top = highest();
    const QRectF leftLabels(0, 0, area.left() - kMargin, 0);
    for (const double value : {0.0, top / 2, top}) {
        const qreal y = area.bottom() - area.height() * value / top;
        painter.drawText(QRectF(0, y - metrics.height() / 2, leftLabels.width(), metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'f', 0));
    }
    if (days_.empty()) {
        painter.drawText(area, Qt::AlignCenter, emptyText_);
        return;
    }
    const std::vector<QPointF> at = points();
    // The first and the last day under the plot; more would crowd it.
    const qreal labelTop = area.bottom() + kMargin;
    painter.drawText(QRectF(area.left(), labelTop, area.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, uikit::toQString(days_.front().date));
    if (days_.size() > 1)
        painter.drawText(QRectF(area.left(), labelTop, area.width(), metrics.height()),
                         Qt::AlignRight | Qt::AlignTop, uikit::toQString(days_.back().date));
    painter.setPen(QPen(line, 2));
    QPainterPath path(at.front());
    for (std::size_t i = 1; i < at.size(); ++i)
        path.lineTo(at[i]);
    painter.drawPath(path);
    painter.setBrush(line);
    for (const QPointF& point : at)
        painter.drawEllipse(point, kPointRadius, kPointRadius);
}

} // namespace strumvale::practice
