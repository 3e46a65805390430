#include "app/status_line.h"

#include <QFontMetrics>
#include <QPainter>

namespace strumvale::app {

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {}

void StatusLine::setText(const QString& text) {
    text_ = text;
    // Read out whole, as a label's text is, however much of it fits.
    setAccessibleName(text);
    update();
}

QString StatusLine::shownText() const {
    return fontMetrics().elidedText(text_, Qt::ElideRight, width());
}

void StatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
}

} // namespace strumvale::app
