#include "practice/chord_diagram_view.h"

#include "sheets/chord_diagram.h"
#include "sheets/diagram_painter.h"
#include "uikit/text.h"

#include <QPainter>
#include <algorithm>

namespace strumvale::practice {

ChordDiagramView::ChordDiagramView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChordDiagramView::setChord(const QString& name, const std::string& tab) {
    name_ = name;
    tab_ = tab;
    describe();
    update();
}

void ChordDiagramView::setCaption(const QString& caption) {
    caption_ = caption;
    describe();
    update();
}

void ChordDiagramView::setDimmed(bool dimmed) {
    dimmed_ = dimmed;
    update();
}

// "Now: G, 3 2 0 0 0 3", as a screen reader says it.
void ChordDiagramView::describe() {
    setAccessibleName(caption_);
    setAccessibleDescription(
        name_.isEmpty() ? QString()
                        : name_ + QStringLiteral(", ") +
                              (tab_.empty() ? QStringLiteral("?") : uikit::toQString(tab_)));
}

void ChordDiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ink = palette().color(QPalette::WindowText);
    if (dimmed_)
        ink.setAlphaF(0.5);
    painter.setPen(ink);
    const QRectF area = QRectF(rect()).adjusted(8, 4, -8, -8);
    QFont captionFont = font();
    painter.setFont(captionFont);
    const qreal captionHeight = QFontMetricsF(captionFont).height();
    painter.drawText(QRectF(area.left(), area.top(), area.width(), captionHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, caption_);
    QFont nameFont = font();
    nameFont.setPointSizeF(std::max(12.0, area.height() / 10));
    nameFont.setBold(true);
    painter.setFont(nameFont);
    const qreal nameHeight = QFontMetricsF(nameFont).height();
    const QRectF nameBox(area.left(), area.top() + captionHeight, area.width(), nameHeight);
    painter.drawText(nameBox, Qt::AlignHCenter | Qt::AlignVCenter, name_);
    if (name_.isEmpty())
        return;
    const QRectF below(area.left(), nameBox.bottom() + nameHeight * 0.6, area.width(),
                       area.bottom() - nameBox.bottom() - nameHeight * 0.6);
    if (tab_.empty()) {
        painter.drawText(below, Qt::AlignCenter, QStringLiteral("?"));
        return;
    }
    // The grid keeps a diagram's proportions: strings closer than frets.
    const sheets::ChordDiagram diagram = sheets::chordDiagram(tab_);
    const qreal height = std::min(below.height(), below.width() * 1.3);
    const qreal width = height / 1.3;
    const QRectF grid(below.center().x() - width / 2, below.top(), width, height);
    QFont markFont = font();
    markFont.setPointSizeF(std::max(8.0, height / 14));
    sheets::paintDiagram(painter, diagram, sheets::layoutDiagram(diagram, grid), markFont);
}

} // namespace strumvale::practice
