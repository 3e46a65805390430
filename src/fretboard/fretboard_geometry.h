#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <optional>

namespace strumvale::fretboard {

// How the drawn neck is turned: mirrored for the left hand, and upside down
// with string 6 on top.
struct Orientation {
    bool leftHanded = false;
    bool upsideDown = false;

    friend bool operator==(const Orientation&, const Orientation&) = default;
};

// A string 1..6 at a fret 0..12.
struct FretPosition {
    int stringNumber = 1;
    int fret = 0;

    friend bool operator==(const FretPosition&, const FretPosition&) = default;
};

// Where the strings and frets of the fretboard view lie, in its pixels. The
// neck is laid out right-handed: fret f's column spans x 40 f to 40 f + 40, and
// display row r (1..6 from the top; row 0 holds the fret numbers) spans y 20 r
// to 20 r + 20. The orientation then places it: left-handed mirrors every x to
// 560 - x, and upside down reverses which string takes which row.
//
// Rectangles here run from left/top inclusive to right/bottom exclusive, as
// the drawing gives them.
class FretboardGeometry {
public:
    static constexpr int kColumnWidth = 40;
    static constexpr int kRowHeight = 20;

    explicit FretboardGeometry(Orientation orientation = {}) : orientation_(orientation) {}

    Orientation orientation() const { return orientation_; }

    // Returns the display row (1..6) of string 1..6; the same mapping returns
    // the string on a row.
    int rowOfString(int stringNumber) const;
    int stringOnRow(int row) const { return rowOfString(row); }

    // Returns a laid-out x or rectangle placed on the view: mirrored when
    // left-handed, as it is otherwise.
    int placeX(int x) const;
    QRect place(const QRect& laidOut) const;

    // Returns the cell of a string at a fret: the fret's column across the
    // string's row, shrunk by inset as laid out (so a left-handed neck mirrors
    // the inset too).
    QRect cell(int stringNumber, int fret, const QMargins& inset = {}) const;
    // Returns the middle of a string's cell at a fret: where its marker is
    // centred and where a click surely lands on it.
    QPoint centre(int stringNumber, int fret) const;
    // Returns the string and fret whose cell holds point; nothing for a point
    // above string row 1, below row 6, or beside frets 0 to 12.
    std::optional<FretPosition> positionAt(const QPoint& point) const;

    // Returns the x in the middle of a fret's column.
    int columnCentre(int fret) const;
    // Returns the y of a display row's string line.
    int rowCentre(int row) const { return kRowHeight * row + kRowHeight / 2; }

private:
    Orientation orientation_;
};

} // namespace strumvale::fretboard
