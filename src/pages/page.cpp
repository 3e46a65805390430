#include "pages/page.h"

#include "library/chord_library.h"
#include "uikit/text.h"

#include <QKeyEvent>

namespace strumvale::pages {

Page::Page(PageHost& host, const resources::DialogTemplate& layout, QWidget* parent)
    : QWidget(parent), host_(host) {
    uikit::buildDialog(*this, layout, uikit::DialogSizing::Child);
}

QString Page::translate(std::string_view key) const {
    return uikit::toQString(library().Translate(key));
}

sound::ChordPlayer& Page::strummingPlayer() const {
    return library().StrummingPlayer();
}

void Page::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace strumvale::pages
