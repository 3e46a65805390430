#include "uikit/image_button.h"

#include "uikit/icons.h"
#include "uikit/open_target.h"

#include <QResizeEvent>

namespace strumvale::uikit {

ImageButton::ImageButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (!linkTarget_.isEmpty())
            shellOpen(linkTarget_);
    });
}

void ImageButton::setIconResource(int resourceId) {
    iconResource_ = resourceId;
    setIcon(resourceIcon(resourceId));
    arrange();
}

void ImageButton::setLinkTarget(const QString& target) {
    linkTarget_ = target;
}

void ImageButton::resizeEvent(QResizeEvent* event) {
    QToolButton::resizeEvent(event);
    arrange();
}

// Tall buttons carry the caption under the icon, flat ones beside it; a
// button without a caption is all icon.
void ImageButton::arrange() {
    const int side = qMax(12, qMin(height() - 8, 24));
    if (text().isEmpty() || height() < 28) {
        setIconSize(QSize(qMin(side, 16), qMin(side, 16)));
        setToolButtonStyle(text().isEmpty() ? Qt::ToolButtonIconOnly
                                            : Qt::ToolButtonTextBesideIcon);
    } else {
        setIconSize(QSize(16, 16));
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
}

} // namespace strumvale::uikit
