#include "sheets/diagram_rows.h"

#include "model/fingering.h"
#include "sheets/chord_diagram.h"
#include "sheets/diagram_painter.h"
#include "sheets/sheet_document.h"
#include "uikit/text.h"

#include <QPainter>
#include <algorithm>

namespace strumvale::sheets {
namespace {

struct CellMetrics {
    qreal width;
    qreal nameHeight;
    qreal markHeight;
    qreal fretGap;
    qreal stringGap;
    qreal tabHeight;
    qreal gap;

    qreal height(int rows) const {
        return nameHeight + markHeight + rows * fretGap + tabHeight + gap;
    }
};

void paintCell(QPainter& painter, const QRectF& cell, const model::Chord& chord,
               const ChordDiagram& diagram, const CellMetrics& metrics, const QFont& nameFont,
               const QFont& smallFont) {
    painter.setFont(nameFont);
    painter.drawText(QRectF(cell.left(), cell.top(), cell.width(), metrics.nameHeight),
                     Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap,
                     uikit::toQString(chord.Name));
    const qreal gridWidth = metrics.stringGap * (ChordDiagram::kStrings - 1);
    const QRectF grid(cell.center().x() - gridWidth / 2,
                      cell.top() + metrics.nameHeight + metrics.markHeight, gridWidth,
                      diagram.rowCount * metrics.fretGap);
    // A fingering the neck cannot hold (a fret past the last one, a token that
    // is no fret) is never drawn as if it could be played: its text stands alone.
    if (model::isValidTab(chord.Tab))
        paintDiagram(painter, diagram, layoutDiagram(diagram, grid), smallFont);
    painter.setFont(smallFont);
    painter.drawText(QRectF(cell.left(), grid.bottom(), cell.width(), metrics.tabHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, uikit::toQString(chord.Tab));
}

} // namespace

qreal diagramCellWidth(const SheetDocument& sheet) {
    return sheet.points(84);
}

void addDiagramRows(SheetDocument& sheet, const std::vector<model::Chord>& chords) {
    const QFont nameFont = sheet.font(9, true);
    const QFont smallFont = sheet.font(7);
    const CellMetrics metrics{diagramCellWidth(sheet), 2 * sheet.lineHeight(nameFont),
                              sheet.points(12),        sheet.points(11),
                              sheet.points(9),         sheet.lineHeight(smallFont) * 1.4,
                              sheet.points(10)};
    const int perRow = std::max(1, static_cast<int>(sheet.width() / metrics.width));
    for (std::size_t first = 0; first < chords.size(); first += perRow) {
        const std::size_t end = std::min(chords.size(), first + perRow);
        std::vector<std::pair<model::Chord, ChordDiagram>> row;
        int rows = ChordDiagram::kMinimumRows;
        for (std::size_t i = first; i < end; ++i) {
            row.emplace_back(chords[i], chordDiagram(chords[i].Tab));
            rows = std::max(rows, row.back().second.rowCount);
        }
        sheet.add(metrics.height(rows), [row, metrics, nameFont, smallFont](QPainter& painter,
                                                                            const QRectF& area) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const QRectF cell(area.left() + i * metrics.width, area.top(), metrics.width,
                                  area.height());
                paintCell(painter, cell, row[i].first, row[i].second, metrics, nameFont, smallFont);
            }
        });
    }
}

} // namespace strumvale::sheets
