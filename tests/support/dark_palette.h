#pragma once

#include "uikit/contrast.h"

#include <QImage>
#include <QPalette>
#include <QRect>

namespace strumvale::test {

// A dark desktop's colours, as a dark colour scheme gives them.
inline QPalette darkPalette() {
    QPalette palette(QColor(49, 54, 59), QColor(35, 38, 41));
    palette.setColor(QPalette::Window, QColor(35, 38, 41));
    palette.setColor(QPalette::WindowText, QColor(252, 252, 252));
    palette.setColor(QPalette::Base, QColor(27, 30, 32));
    palette.setColor(QPalette::Text, QColor(252, 252, 252));
    palette.setColor(QPalette::ButtonText, QColor(252, 252, 252));
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, QColor(252, 252, 252));
    palette.setColor(QPalette::Link, QColor(29, 153, 243));
    palette.setColor(QPalette::LinkVisited, QColor(155, 89, 182));
    return palette;
}

// What a reader sees of what is drawn in area against background: the
// pixel that stands out from it most.
inline double bestContrastIn(const QImage& image, const QRect& area, const QColor& background) {
    double best = 1;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            best = std::max(best, uikit::contrastRatio(image.pixelColor(x, y), background));
    return best;
}

// Contrast a reader needs: WCAG's 3:1 for lines and marks, 4.5:1 for text.
inline constexpr double kGraphicsContrast = 3.0;
inline constexpr double kTextContrast = 4.5;

} // namespace strumvale::test
