#pragma once

#include <QColor>
#include <QPalette>

namespace strumvale::uikit {

// WCAG's relative luminance of a colour, 0 (black) to 1 (white).
double relativeLuminance(const QColor& colour);
// WCAG's contrast between two colours, 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// Lines, text and the outlines of coloured marks drawn on background: black
// as the views were drawn for a light background; on a dark one (a dark
// desktop palette), the palette's text colour, or white when that does not
// stand out. An outlined mark shows its edge whatever colour the user chose.
QColor inkOn(const QColor& background, const QPalette& palette);

} // namespace strumvale::uikit
