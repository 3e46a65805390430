#pragma once

#include <QColor>

class QWidget;

namespace strumvale::pages {

// The light background the fretboard pages can use instead of the desktop's.
inline const QColor kWhiteBackground{251, 251, 251};

// With white on, the page and every control on it show black text on the
// light background; off, they follow the desktop's colours again.
void applyPageBackground(QWidget& page, bool white);

} // namespace strumvale::pages
