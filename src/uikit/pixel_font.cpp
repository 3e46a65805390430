#include "uikit/pixel_font.h"

#include <QFont>
#include <QWidget>

namespace strumvale::uikit {

void usePixelFont(QWidget& view) {
    QFont small = view.font();
    small.setPixelSize(11);
    small.setStyleStrategy(QFont::NoAntialias);
    view.setFont(small);
}

} // namespace strumvale::uikit
