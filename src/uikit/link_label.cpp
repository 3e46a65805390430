#include "uikit/link_label.h"

namespace strumvale::uikit {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void LinkLabel::setLinkTarget(const QString& target) {
    linkTarget_ = target;
}

} // namespace strumvale::uikit
