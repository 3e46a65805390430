#include "settings/colour_preview.h"

#include "uikit/contrast.h"

#include <QPainter>

namespace strumvale::settings {

ColourPreview::ColourPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourPreview::setColour(const QColor& colour) {
    if (colour == colour_)
        return;
    colour_ = colour;
    // Screen readers say which colour is shown, not only that there is one.
    setAccessibleDescription(colour.name());
    update();
}

void ColourPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The frame shows the swatch's edge whatever its colour, on either palette.
    painter.setPen(QPen(uikit::inkOn(palette().color(QPalette::Window), palette()), 1));
    painter.setBrush(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace strumvale::settings
