#pragma once

#include "uikit/heard_colours.h"

#include <QColor>

class QPainter;
class QWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::model {
struct Settings;
}

namespace strumvale::pages {

// The light background the fretboard pages can use instead of the desktop's.
inline const QColor kWhiteBackground{251, 251, 251};

using uikit::kInTuneColour;
using uikit::kOutOfTuneColour;

// With white on, the page and every control on it show black text on the
// light background; off, they follow the desktop's colours again.
void applyPageBackground(QWidget& page, bool white);

// A page's fretboard drawn as the settings say (orientation, note names,
// background and colours), on the page's background to match.
void applyFretboardSettings(QWidget& page, fretboard::FretboardView& view,
                            const model::Settings& settings);

// Three independent bytes from the system's random source: a page's own
// decoration colour, chosen once.
QColor randomDecorationColour();

// The two open brackets around a page's key list, in its decoration colour.
void paintKeyListBrackets(QPainter& painter, const QColor& colour);

} // namespace strumvale::pages
