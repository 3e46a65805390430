#pragma once

#include "fretboard/fretboard_geometry.h"

#include <QColor>

namespace strumvale::model {
struct Settings;
}

namespace strumvale::fretboard {

// How the settings have a fretboard drawn: its orientation, the note names on
// every fret or only the fingered ones, the background and the three colours.
// The defaults are those of the default settings.
struct FretboardStyle {
    Orientation orientation;
    bool allFrets = false;
    bool whiteBackground = false;
    QColor dotsColour{92, 128, 224};
    QColor intervalTextColour{0, 251, 0};
    QColor noteTextColour{232, 182, 114};

    friend bool operator==(const FretboardStyle&, const FretboardStyle&) = default;
};

// Returns the style the settings ask for.
FretboardStyle fretboardStyle(const model::Settings& settings);

} // namespace strumvale::fretboard
