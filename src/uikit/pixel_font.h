#pragma once

class QFont;
class QWidget;

namespace strumvale::uikit {

// For views drawn at fixed pixel places: 11-pixel text that does not follow
// the desktop's scale, with its pixels in exactly the chosen colours, as on a
// bitmap font.
void usePixelFont(QWidget& view);

// font factor times as large, whether its size is set in pixels (as on the
// pages) or in points.
QFont scaledFont(const QFont& font, double factor);

} // namespace strumvale::uikit
