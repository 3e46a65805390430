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

// Whether black would not read on background: the views then draw in the
// palette's colours rather than the light ones they were drawn for.
bool isDark(const QColor& background);

// WCAG's 3:1 for lines and marks, 4.5:1 for text.
inline constexpr double kGraphicsContrast = 3.0;
inline constexpr double kTextContrast = 4.5;

// A coloured line or text on background: as it is on a light background; on
// a dark one, lightened towards white until it stands out by ratio.
QColor legibleOn(const QColor& colour, const QColor& background, double ratio);

// A light shade behind text (a marked column, a looped line): as it is on a
// light background; on a dark one, the same shade darkened towards the
// background until the palette's ink reads on it.
QColor shadeOn(const QColor& shade, const QColor& background, const QPalette& palette);

} // namespace strumvale::uikit
