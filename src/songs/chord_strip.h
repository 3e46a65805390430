#pragma once

#include "library/song_shapes.h"
#include "songs/sheet_column_view.h"

#include <vector>

namespace strumvale::songs {

// The song's chords as one row of diagrams, as wide as they need; a chord
// that is no chord symbol shows its name and "?".
class ChordStrip : public SheetColumnView {
    Q_OBJECT
public:
    explicit ChordStrip(QWidget* parent = nullptr);

    void setShapes(const std::vector<library::SongShape>& shapes);
    // "G: 3 2 0 0 0 3", one a line, for a screen reader.
    QString spokenShapes() const;

private:
    std::vector<library::SongShape> shapes_;
};

} // namespace strumvale::songs
