#pragma once

#include "sheets/chord_diagram.h"

#include <QPointF>
#include <QRectF>
#include <array>
#include <optional>

class QPainter;
class QFont;

namespace strumvale::sheets {

// Where a diagram's parts fall when its grid of strings and frets fills grid:
// strings are vertical lines (string 6 at the left), rows are the spaces
// between fret lines, the open and muted marks sit above the grid.
struct DiagramLayout {
    QRectF grid;
    qreal stringGap = 0;
    qreal fretGap = 0;
    // Above each string.
    std::array<QPointF, ChordDiagram::kStrings> markCentres{};
    // Of each fretted string that the barre does not already cover.
    std::array<std::optional<QPointF>, ChordDiagram::kStrings> dots{};
    std::optional<QRectF> barre;
    // Left of row 1, when the diagram starts above the nut.
    std::optional<QRectF> baseFretLabel;
};

DiagramLayout layoutDiagram(const ChordDiagram& diagram, const QRectF& grid);

// The grid, a thick nut at base fret 1, dots, the barre, "o" and "x" marks
// and the base fret number, in font and the painter's pen colour; the
// painter is left as it was.
void paintDiagram(QPainter& painter, const ChordDiagram& diagram, const DiagramLayout& layout,
                  const QFont& font);

} // namespace strumvale::sheets
