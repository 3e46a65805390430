#include "songs/chord_strip.h"

#include "formats/chordpro_words.h"
#include "sheets/diagram_rows.h"

#include <algorithm>
#include <cmath>

namespace strumvale::songs {

namespace {

std::vector<model::Chord> stripChords(const std::vector<library::SongShape>& shapes) {
    std::vector<model::Chord> chords;
    for (const library::SongShape& shape : shapes) {
        const std::string name = formats::chordpro::toCore(shape.name);
        chords.emplace_back(model::chordRootOf(name), name,
                            shape.source == library::SongShape::Source::Unknown ? "?" : shape.tab);
    }
    return chords;
}

} // namespace

ChordStrip::ChordStrip(QWidget* parent) : SheetColumnView(parent) {}

void ChordStrip::setShapes(const std::vector<library::SongShape>& shapes) {
    shapes_ = shapes;
    const sheets::SheetDocument measure(*this, 0);
    const int cells = std::max<int>(1, static_cast<int>(shapes.size()));
    // One row: exactly as wide as its cells.
    setFixedWidth(static_cast<int>(std::ceil(cells * sheets::diagramCellWidth(measure))) +
                  2 * kMargin + 1);
    setContent([chords = stripChords(shapes)](sheets::SheetDocument& sheet) {
        sheets::addDiagramRows(sheet, chords);
    });
    setFixedHeight(minimumHeight());
    setAccessibleDescription(spokenShapes());
}

QString ChordStrip::spokenShapes() const {
    QStringList lines;
    for (const library::SongShape& shape : shapes_) {
        const QString name = QString::fromUtf8(shape.name.data(), qsizetype(shape.name.size()));
        lines << name + QStringLiteral(": ") +
                     (shape.source == library::SongShape::Source::Unknown
                          ? QStringLiteral("?")
                          : QString::fromLatin1(shape.tab.data(), qsizetype(shape.tab.size())));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace strumvale::songs
