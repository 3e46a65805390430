#include "pages/page_colours.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

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

} // namespace strumvale::pages
