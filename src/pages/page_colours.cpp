#include "pages/page_colours.h"

#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "model/settings.h"

#include <QPainter>
#include <QPalette>
#include <QVariant>
#include <QWidget>
#include <array>
#include <random>

namespace strumvale::pages {

namespace {
constexpr const char* kWhiteProperty = "whiteBackground";
}

void applyPageBackground(QWidget& page, bool white) {
    // Called on every display; a new palette would restyle every control again.
    const QVariant current = page.property(kWhiteProperty);
    if (current.isValid() && current.toBool() == white) {
        return;
    }
    page.setProperty(kWhiteProperty, white);
    if (!white) {
        // An empty palette resolves nothing, so the page inherits the desktop's again.
        page.setPalette(QPalette());
        page.setAutoFillBackground(false);
        return;
    }
    QPalette palette = page.palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, kWhiteBackground);
    }
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, Qt::black);
    }
    // Children take the page's roles unless they set their own.
    page.setPalette(palette);
    page.setAutoFillBackground(true);
}

void applyFretboardSettings(QWidget& page, fretboard::FretboardView& view,
                            const model::Settings& settings) {
    view.setStyle(fretboard::fretboardStyle(settings));
    applyPageBackground(page, settings.Whitebackgroundcolor);
}

QColor randomDecorationColour() {
    std::random_device source;
    std::uniform_int_distribution<int> byte(0, 255);
    const int red = byte(source);
    const int green = byte(source);
    const int blue = byte(source);
    return QColor(red, green, blue);
}

void paintKeyListBrackets(QPainter& painter, const QColor& colour) {
    painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const std::array<QPoint, 3> upper = {QPoint(23, 215), QPoint(23, 190), QPoint(45, 190)};
    const std::array<QPoint, 3> lower = {QPoint(23, 332), QPoint(23, 357), QPoint(45, 357)};
    painter.drawPolyline(upper.data(), static_cast<int>(upper.size()));
    painter.drawPolyline(lower.data(), static_cast<int>(lower.size()));
}

} // namespace strumvale::pages
