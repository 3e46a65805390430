#include "pages/chords_tabs_page.h"

#include "resources/templates/chords_tabs_page.h"

namespace strumvale::pages {

ChordsTabsPage::ChordsTabsPage(PageHost& host, QWidget* parent)
    : Page(host, resources::chordsTabsPageTemplate(), parent) {}

void ChordsTabsPage::retranslate() {}
void ChordsTabsPage::refreshChords() {}
void ChordsTabsPage::refreshTunings() {}

} // namespace strumvale::pages
