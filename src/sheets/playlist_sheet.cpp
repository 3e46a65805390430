#include "model/fingering.h"
#include "sheets/diagram_rows.h"
#include "sheets/sheet_document.h"
#include "sheets/sheets.h"
#include "uikit/text.h"

#include <QPainter>
#include <set>
#include <tuple>

namespace strumvale::sheets {
namespace {

struct StaffMetrics {
    qreal nameHeight;
    qreal lineGap;
    qreal separatorWidth;
    qreal minimumColumn;
    qreal padding;
};

struct Column {
    const model::Chord* chord;
    qreal width;
};

void paintStaff(QPainter& painter, const QRectF& area, const std::vector<Column>& columns,
                const StaffMetrics& metrics, const QFont& nameFont, const QFont& tabFont) {
    qreal used = 0;
    for (const Column& column : columns)
        used += column.width;
    const qreal left = area.left();
    const qreal right = left + used + 2 * metrics.padding;
    // The first string's marks are boxed half a line gap above their line:
    // the names stand above that box, never under it.
    const qreal top = area.top() + metrics.nameHeight + metrics.lineGap / 2;
    const qreal bottom = top + 5 * metrics.lineGap;
    const qreal thin = metrics.lineGap / 16;
    painter.setPen(QPen(Qt::black, thin));
    for (int line = 0; line < model::kStringCount; ++line) {
        const qreal y = top + line * metrics.lineGap;
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    painter.drawLine(QPointF(left, top), QPointF(left, bottom));
    painter.drawLine(QPointF(right, top), QPointF(right, bottom));

    qreal x = left + metrics.padding;
    for (const Column& column : columns) {
        const qreal centre = x + column.width / 2;
        if (model::Playlist::isSeparator(*column.chord)) {
            painter.setPen(QPen(Qt::black, thin * 3));
            painter.drawLine(QPointF(centre, top), QPointF(centre, bottom));
            painter.setPen(QPen(Qt::black, thin));
            x += column.width;
            continue;
        }
        painter.setFont(nameFont);
        painter.drawText(QRectF(x, area.top(), column.width, metrics.nameHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, uikit::toQString(column.chord->Name));
        painter.setFont(tabFont);
        for (int string = 1; string <= model::kStringCount; ++string) {
            const QString token = uikit::toQString(model::tabToken(column.chord->Tab, string));
            const qreal y = top + (string - 1) * metrics.lineGap;
            QRectF box =
                painter.boundingRect(QRectF(centre - column.width / 2, y - metrics.lineGap / 2,
                                            column.width, metrics.lineGap),
                                     Qt::AlignCenter, token);
            // The mark interrupts its line, as on the screen.
            painter.fillRect(box.adjusted(-thin * 2, 0, thin * 2, 0), Qt::white);
            painter.drawText(box, Qt::AlignCenter, token);
        }
        x += column.width;
    }
}

void addStaves(SheetDocument& sheet, const model::Playlist& playlist) {
    const QFont nameFont = sheet.font(9, true);
    const QFont tabFont = sheet.font(9);
    const StaffMetrics metrics{sheet.lineHeight(nameFont) * 1.4, sheet.points(10), sheet.points(10),
                               sheet.points(22), sheet.points(6)};
    const qreal room = sheet.width() - 2 * metrics.padding;
    std::vector<std::vector<Column>> staves(1);
    qreal used = 0;
    for (const model::Chord& entry : playlist.entries()) {
        const qreal width = model::Playlist::isSeparator(entry)
                                ? metrics.separatorWidth
                                : std::max(metrics.minimumColumn,
                                           sheet.textWidth(nameFont, uikit::toQString(entry.Name)) +
                                               sheet.points(6));
        if (used > 0 && used + width > room) {
            staves.emplace_back();
            used = 0;
        }
        staves.back().push_back({&entry, width});
        used += width;
    }
    const qreal height = metrics.nameHeight + 5.5 * metrics.lineGap + sheet.points(14);
    for (const std::vector<Column>& staff : staves) {
        sheet.add(height,
                  [staff, metrics, nameFont, tabFont](QPainter& painter, const QRectF& area) {
                      paintStaff(painter, area, staff, metrics, nameFont, tabFont);
                  });
    }
}

std::vector<model::Chord> chordsUsed(const model::Playlist& playlist) {
    std::vector<model::Chord> used;
    // The same name and tab in another tuning is another chord.
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    for (int index = 0; index < playlist.count(); ++index) {
        const model::Chord& entry = playlist.entries()[static_cast<std::size_t>(index)];
        if (!model::Playlist::isSeparator(entry) &&
            seen.emplace(entry.Name, entry.Tab, playlist.tuningNotes(index)).second)
            used.push_back(entry);
    }
    return used;
}

} // namespace

bool printPlaylistSheet(QPagedPaintDevice& device, const model::Playlist& playlist,
                        const QString& title, const Translate& translate) {
    SheetDocument sheet(device);
    sheet.addText(title, sheet.font(18, true));
    sheet.addSpace(sheet.points(10));
    addStaves(sheet, playlist);
    const std::vector<model::Chord> used = chordsUsed(playlist);
    if (!used.empty()) {
        sheet.addHeading(translate("Chords"), 13);
        addDiagramRows(sheet, used);
    }
    if (!playlist.Lyrics.empty()) {
        sheet.addSpace(sheet.points(10));
        sheet.addText(uikit::toQString(playlist.Lyrics), sheet.font(10));
    }
    return sheet.print();
}

} // namespace strumvale::sheets
