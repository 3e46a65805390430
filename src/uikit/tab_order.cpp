#include "uikit/tab_order.h"

namespace strumvale::uikit {

namespace {

// What Tab stops at for widget: itself (a compound control moves with the
// parts it holds), or the controls inside a row that takes no focus, leaving
// out the parts that hand their focus on.
void appendStops(QWidget* widget, std::vector<QWidget*>& stops) {
    if (widget->focusPolicy() != Qt::NoFocus) {
        stops.push_back(widget);
        return;
    }
    for (QWidget* next = widget->nextInFocusChain(); next != nullptr && next != widget;
         next = next->nextInFocusChain()) {
        if (widget->isAncestorOf(next) && next->focusPolicy() != Qt::NoFocus &&
            next->focusProxy() == nullptr)
            stops.push_back(next);
    }
}

} // namespace

void chainTabOrder(const std::vector<QWidget*>& widgets) {
    std::vector<QWidget*> stops;
    for (QWidget* widget : widgets)
        if (widget != nullptr)
            appendStops(widget, stops);
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

} // namespace strumvale::uikit
