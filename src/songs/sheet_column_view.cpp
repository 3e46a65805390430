#include "songs/sheet_column_view.h"

#include "uikit/contrast.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace strumvale::songs {

SheetColumnView::SheetColumnView(QWidget* parent)
    : QWidget(parent), sheet_(std::make_unique<sheets::SheetDocument>(*this, 0)) {}

SheetColumnView::~SheetColumnView() = default;

void SheetColumnView::setContent(Build build) {
    build_ = std::move(build);
    rebuild();
}

void SheetColumnView::rebuild() {
    builtWidth_ = width();
    sheet_ = std::make_unique<sheets::SheetDocument>(*this, std::max(0, width() - 2 * kMargin));
    if (build_)
        build_(*sheet_);
    built();
    setMinimumHeight(static_cast<int>(std::ceil(sheet_->columnHeight())) + 2 * kMargin);
    update();
}

void SheetColumnView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Text wraps at the width: only a new width changes the column.
    if (width() != builtWidth_)
        rebuild();
}

void SheetColumnView::paintUnder(QPainter&) {}

QColor SheetColumnView::paper() const {
    const QColor base = palette().color(QPalette::Base);
    return uikit::isDark(base) ? base : QColor(Qt::white);
}

void SheetColumnView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), paper());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin());
    painter.setPen(uikit::inkOn(paper(), palette()));
    paintUnder(painter);
    sheet_->paintColumn(painter, QRectF(event->rect()).translated(-origin()));
}

} // namespace strumvale::songs
