#include "sheets/sheet_document.h"
#include "sheets/sheets.h"
#include "sheets/song_drawing.h"

namespace strumvale::sheets {

bool printSongSheet(QPagedPaintDevice& device, const model::Song& song,
                    const std::vector<model::Chord>& shapes, const QString& fallbackTitle,
                    const Translate& translate) {
    SheetDocument sheet(device);
    addSongHeading(sheet, song, fallbackTitle, translate);
    addSongDiagrams(sheet, shapes, translate);
    addSongSections(sheet, song, translate);
    return sheet.print();
}

} // namespace strumvale::sheets
