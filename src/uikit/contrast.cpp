#include "uikit/contrast.h"

#include <algorithm>
#include <cmath>

namespace strumvale::uikit {

namespace {

// Text needs 4.5:1 against its background; lines and marks 3:1.
constexpr double kTextContrast = 4.5;

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour) {
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor inkOn(const QColor& background, const QPalette& palette) {
    const QColor black(Qt::black);
    if (contrastRatio(black, background) >= kTextContrast)
        return black;
    const QColor text = palette.color(QPalette::WindowText);
    if (contrastRatio(text, background) >= kTextContrast)
        return text;
    return QColor(Qt::white);
}

} // namespace strumvale::uikit
