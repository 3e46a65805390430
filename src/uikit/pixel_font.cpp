#include "uikit/pixel_font.h"

#include <QFont>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace strumvale::uikit {

void usePixelFont(QWidget& view) {
    QFont small = view.font();
    small.setPixelSize(11);
    small.setStyleStrategy(QFont::NoAntialias);
    view.setFont(small);
}

QFont scaledFont(const QFont& font, double factor) {
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    else
        scaled.setPointSizeF(font.pointSizeF() * factor);
    return scaled;
}

} // namespace strumvale::uikit
