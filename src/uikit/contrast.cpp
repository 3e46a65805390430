#include "uikit/contrast.h"

#include <algorithm>
#include <cmath>

namespace strumvale::uikit {

namespace {

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

// Steps of a twentieth: finer steps differ by less than the eye tells apart.
constexpr int kMixSteps = 20;

QColor mixed(const QColor& from, const QColor& to, double share) {
    const auto part = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(part(from.red(), to.red()), part(from.green(), to.green()),
                  part(from.blue(), to.blue()));
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
    if (!isDark(background))
        return QColor(Qt::black);
    const QColor text = palette.color(QPalette::WindowText);
    if (contrastRatio(text, background) >= kTextContrast)
        return text;
    return QColor(Qt::white);
}

bool isDark(const QColor& background) {
    return contrastRatio(QColor(Qt::black), background) < kTextContrast;
}

QColor legibleOn(const QColor& colour, const QColor& background, double ratio) {
    if (!isDark(background))
        return colour;
    const QColor white(Qt::white);
    for (int step = 0; step < kMixSteps; ++step) {
        const QColor candidate = mixed(colour, white, double(step) / kMixSteps);
        if (contrastRatio(candidate, background) >= ratio)
            return candidate;
    }
    return white;
}

QColor shadeOn(const QColor& shade, const QColor& background, const QPalette& palette) {
    if (!isDark(background))
        return shade;
    const QColor ink = inkOn(background, palette);
    for (int step = 0; step < kMixSteps; ++step) {
        const QColor candidate = mixed(shade, background, double(step) / kMixSteps);
        if (contrastRatio(ink, candidate) >= kTextContrast)
            return candidate;
    }
    return background;
}

} // namespace strumvale::uikit
