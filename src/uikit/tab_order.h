#pragma once

#include <QWidget>
#include <vector>

namespace strumvale::uikit {

// Tab goes through widgets in the order given, after the first; a compound
// control (a spin box and its edit) moves whole, a widget that takes no
// focus itself (a row of controls) stands for its own controls in their
// order, and a missing one (null) is passed over. Widgets not given keep
// their places around the chain.
void chainTabOrder(const std::vector<QWidget*>& widgets);

} // namespace strumvale::uikit
