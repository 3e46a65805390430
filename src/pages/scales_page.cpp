#include "pages/scales_page.h"

#include "resources/templates/scales_page.h"

namespace strumvale::pages {

ScalesPage::ScalesPage(PageHost& host, QWidget* parent)
    : Page(host, resources::scalesPageTemplate(), parent) {}

void ScalesPage::retranslate() {}
void ScalesPage::refreshScales() {}
void ScalesPage::refreshTunings() {}
void ScalesPage::showSelectedScale() {}

} // namespace strumvale::pages
