#pragma once

#include "model/records.h"
#include "model/song.h"
#include "sheets/sheets.h"

#include <QRectF>
#include <QString>
#include <cstddef>
#include <vector>

// A song drawn as a chord sheet, the same on paper and on the screen: the
// parts add their blocks to a sheet, which prints them on pages or paints
// them as one column.
namespace strumvale::sheets {

class SheetDocument;

// The lyrics' size the sheet is drawn at, in points; the chords, headings and
// comments scale with it.
inline constexpr qreal kPrintedLyricPoints = 11;

// A chord of the sheet where it is drawn: the block of its line and the box
// of its name inside that block (from the block's top left).
struct DrawnChord {
    std::size_t block = 0;
    QRectF box;
};

// A lyric line as a screen reader says it: its words with each chord where
// it falls ("[G]Here comes [D]the sun").
struct DrawnLine {
    std::size_t block = 0;
    QString spoken;
};

struct DrawnSections {
    // Every chord that sounds, in the order the song plays them (a recalled
    // chorus again); annotations such as "[*Coda]" are drawn but not listed.
    std::vector<DrawnChord> chords;
    std::vector<DrawnLine> lines;
    // The widest line, to scroll across on a narrow screen.
    qreal width = 0;
};

// "Artist: …   Key: …   Capo: …   Tempo: …", for what the song gives.
QString songDetailsLine(const model::Song& song, const Translate& translate);

// The title (else fallbackTitle), the subtitle and a line of artist, key,
// capo and tempo.
void addSongHeading(SheetDocument& sheet, const model::Song& song, const QString& fallbackTitle,
                    const Translate& translate);

// "Chords" and the diagrams of shapes, when there are any.
void addSongDiagrams(SheetDocument& sheet, const std::vector<model::Chord>& shapes,
                     const Translate& translate);

// The sections in order under their labels, a chorus indented, each chord
// above the syllable it stands over.
DrawnSections addSongSections(SheetDocument& sheet, const model::Song& song,
                              const Translate& translate, qreal lyricPoints = kPrintedLyricPoints);

} // namespace strumvale::sheets
