#include "sheets/diagram_painter.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace strumvale::sheets {

DiagramLayout layoutDiagram(const ChordDiagram& diagram, const QRectF& grid) {
    DiagramLayout layout;
    layout.grid = grid;
    layout.stringGap = grid.width() / (ChordDiagram::kStrings - 1);
    layout.fretGap = grid.height() / diagram.rowCount;
    const qreal dotSize = std::min(layout.stringGap, layout.fretGap) * 0.7;
    auto stringX = [&](int s) { return grid.left() + s * layout.stringGap; };
    auto rowY = [&](int row) { return grid.top() + (row - 0.5) * layout.fretGap; };
    for (int s = 0; s < ChordDiagram::kStrings; ++s) {
        layout.markCentres[s] = QPointF(stringX(s), grid.top() - layout.fretGap * 0.55);
        const bool underBarre = diagram.barre && diagram.rows[s] == diagram.barre->row &&
                                s >= diagram.barre->first && s <= diagram.barre->last;
        if (diagram.marks[s] == ChordDiagram::Mark::Fretted && !underBarre)
            layout.dots[s] = QPointF(stringX(s), rowY(diagram.rows[s]));
    }
    if (diagram.barre) {
        const qreal y = rowY(diagram.barre->row);
        layout.barre =
            QRectF(stringX(diagram.barre->first) - dotSize / 2, y - dotSize / 2,
                   stringX(diagram.barre->last) - stringX(diagram.barre->first) + dotSize, dotSize);
    }
    if (diagram.baseFret > 1) {
        layout.baseFretLabel = QRectF(grid.left() - 3 * layout.stringGap, grid.top(),
                                      2.5 * layout.stringGap, layout.fretGap);
    }
    return layout;
}

void paintDiagram(QPainter& painter, const ChordDiagram& diagram, const DiagramLayout& layout,
                  const QFont& font) {
    const QRectF& grid = layout.grid;
    const qreal thin = layout.stringGap / 12;
    const QColor ink = painter.pen().color();
    painter.save();
    painter.setPen(QPen(ink, thin));
    painter.setBrush(Qt::NoBrush);
    for (int s = 0; s < ChordDiagram::kStrings; ++s) {
        const qreal x = grid.left() + s * layout.stringGap;
        painter.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
    }
    for (int row = 0; row <= diagram.rowCount; ++row) {
        const qreal y = grid.top() + row * layout.fretGap;
        painter.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
    }
    if (diagram.baseFret == 1) {
        painter.setPen(QPen(ink, thin * 4, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(grid.left() - thin / 2, grid.top()),
                         QPointF(grid.right() + thin / 2, grid.top()));
    }

    const qreal dotSize = std::min(layout.stringGap, layout.fretGap) * 0.7;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const std::optional<QPointF>& dot : layout.dots) {
        if (dot)
            painter.drawEllipse(*dot, dotSize / 2, dotSize / 2);
    }
    if (layout.barre)
        painter.drawRoundedRect(*layout.barre, dotSize / 2, dotSize / 2);

    painter.setPen(QPen(ink, thin));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font);
    const qreal markSize = dotSize * 0.8;
    for (int s = 0; s < ChordDiagram::kStrings; ++s) {
        const QPointF centre = layout.markCentres[s];
        const QRectF box(centre.x() - markSize / 2, centre.y() - markSize / 2, markSize, markSize);
        if (diagram.marks[s] == ChordDiagram::Mark::Open) {
            painter.drawEllipse(box);
        } else if (diagram.marks[s] == ChordDiagram::Mark::Muted) {
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
        }
    }
    if (layout.baseFretLabel) {
        painter.drawText(*layout.baseFretLabel, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(diagram.baseFret));
    }
    painter.restore();
}

} // namespace strumvale::sheets
