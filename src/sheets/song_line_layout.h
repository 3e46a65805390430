#pragma once

#include "model/song.h"

#include <QFontMetricsF>
#include <QString>
#include <vector>

// Where the chords and the words of a lyric line stand, for the screen and for
// paper alike: each chord starts over the first letter it was written before;
// where chords stand closer than their names are wide, the words make room.
namespace strumvale::sheets {

struct PlacedText {
    qreal x = 0;
    QString text;
};

struct LyricLineLayout {
    std::vector<PlacedText> chords; // in the order of the line
    std::vector<PlacedText> words;  // the pieces of the words between chords
    qreal width = 0;
};

LyricLineLayout layOutLyricLine(const model::SongLine& line, const QFontMetricsF& chordFont,
                                const QFontMetricsF& wordFont);

} // namespace strumvale::sheets
