#include "pages/tuner_page.h"

#include "resources/templates/tuner_page.h"

namespace strumvale::pages {

TunerPage::TunerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::tunerPageTemplate(), parent) {}

void TunerPage::retranslate() {}
void TunerPage::refreshTunings() {}

} // namespace strumvale::pages
