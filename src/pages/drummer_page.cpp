#include "pages/drummer_page.h"

#include "resources/templates/drummer_page.h"

namespace strumvale::pages {

DrummerPage::DrummerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::drummerPageTemplate(), parent) {}

void DrummerPage::retranslate() {}
void DrummerPage::refreshDrumPatterns() {}

} // namespace strumvale::pages
