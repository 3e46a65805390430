#pragma once

class QWidget;

namespace strumvale::uikit {

// For views drawn at fixed pixel places: 11-pixel text that does not follow
// the desktop's scale, with its pixels in exactly the chosen colours, as on a
// bitmap font.
void usePixelFont(QWidget& view);

} // namespace strumvale::uikit
