#include "pages/tuning_meter.h"

#include "pages/page_colours.h"
#include "uikit/contrast.h"
#include "uikit/pixel_font.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace strumvale::pages {
namespace {

constexpr double kRange = 50.0;
// Room at either end for the "-50" and "+50" under the scale.
constexpr int kMargin = 16;

} // namespace

TuningMeter::TuningMeter(QWidget* parent) : QWidget(parent) {}

void TuningMeter::setCents(std::optional<double> cents, bool ofAString) {
    if (cents == cents_ && ofAString == ofAString_)
        return;
    cents_ = cents;
    ofAString_ = ofAString;
    update();
}

int TuningMeter::needleX(double cents) const {
    const double clamped = std::clamp(cents, -kRange, kRange);
    const double half = (width() - 2 * kMargin) / 2.0;
    return static_cast<int>(std::lround(width() / 2.0 + clamped / kRange * half));
}

void TuningMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int bottom = height() - 14;
    // The in-tune band.
    const int bandLeft = needleX(-kInTuneCents);
    const int bandRight = needleX(kInTuneCents);
    // The pale band of a note not in tune is a shade the scale is drawn over.
    const QColor band = inTune() ? kInTuneColour
                                 : uikit::shadeOn(kInTuneColour.lighter(170),
                                                  palette().color(QPalette::Window), palette());
    painter.fillRect(QRect(bandLeft, 4, std::max(1, bandRight - bandLeft), bottom - 4), band);
    // The scale: a tick every 10 cents, longer ones at -50, -25, 0, 25, 50.
    // Black, or light on a dark desktop's background.
    painter.setPen(QPen(uikit::inkOn(palette().color(QPalette::Window), palette()), 1));
    painter.drawLine(needleX(-kRange), bottom, needleX(kRange), bottom);
    for (int cents = -50; cents <= 50; cents += 5) {
        const int x = needleX(cents);
        const int length = cents % 25 == 0 ? 10 : (cents % 10 == 0 ? 6 : 3);
        painter.drawLine(x, bottom, x, bottom - length);
    }
    painter.setFont(uikit::scaledFont(font(), 0.85));
    for (int cents : {-50, 0, 50}) {
        const QString text = cents > 0 ? QStringLiteral("+%1").arg(cents) : QString::number(cents);
        painter.drawText(QRect(needleX(cents) - 20, bottom + 1, 40, 13), Qt::AlignCenter, text);
    }
    if (!cents_)
        return;
    const int x = needleX(*cents_);
    // Dimmed while it shows a fading string's last reading.
    const QColor needle =
        uikit::legibleOn(inTune() ? kInTuneColour : kOutOfTuneColour,
                         palette().color(QPalette::Window), uikit::kGraphicsContrast);
    painter.setPen(
        QPen(isEnabled() ? needle : needle.lighter(160), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(x, 2, x, bottom);
}

} // namespace strumvale::pages
