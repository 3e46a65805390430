#include "fretboard/fretboard_geometry.h"

#include "model/fingering.h"
#include "model/notes.h"

#include <algorithm>

namespace strumvale::fretboard {

namespace {

// Left-handed, x goes to kMirror - x.
constexpr int kMirror = 560;

} // namespace

int FretboardGeometry::rowOfString(int stringNumber) const {
    return orientation_.upsideDown ? model::kStringCount + 1 - stringNumber : stringNumber;
}

int FretboardGeometry::placeX(int x) const {
    return orientation_.leftHanded ? kMirror - x : x;
}

QRect FretboardGeometry::place(const QRect& laidOut) const {
    if (!orientation_.leftHanded) {
        return laidOut;
    }
    // The exclusive right edge becomes the left one.
    const int left = placeX(laidOut.left() + laidOut.width());
    return QRect(left, laidOut.top(), laidOut.width(), laidOut.height());
}

QRect FretboardGeometry::cell(int stringNumber, int fret, const QMargins& inset) const {
    const QRect laidOut(kColumnWidth * fret, kRowHeight * rowOfString(stringNumber), kColumnWidth,
                        kRowHeight);
    return place(laidOut.marginsRemoved(inset));
}

QPoint FretboardGeometry::centre(int stringNumber, int fret) const {
    return QPoint(columnCentre(fret), rowCentre(rowOfString(stringNumber)));
}

int FretboardGeometry::columnCentre(int fret) const {
    return placeX(kColumnWidth * fret + kColumnWidth / 2);
}

std::optional<FretPosition> FretboardGeometry::positionAt(const QPoint& point) const {
    // Off the left or top edge, a division would round towards column or row 0.
    if (point.x() < 0 || point.y() < 0) {
        return std::nullopt;
    }
    // The pixel from x to x + 1 lies between the placed x and x + 1 as laid out.
    const int laidOutX = std::min(placeX(point.x()), placeX(point.x() + 1));
    if (laidOutX < 0) {
        return std::nullopt;
    }
    const int fret = laidOutX / kColumnWidth;
    const int row = point.y() / kRowHeight;
    if (row < 1 || row > model::kStringCount || fret > model::kHighestFret) {
        return std::nullopt;
    }
    return FretPosition{stringOnRow(row), fret};
}

} // namespace strumvale::fretboard
