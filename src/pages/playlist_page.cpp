#include "pages/playlist_page.h"

#include "resources/templates/playlist_page.h"

namespace strumvale::pages {

PlaylistPage::PlaylistPage(PageHost& host, QWidget* parent)
    : Page(host, resources::playlistPageTemplate(), parent) {}

void PlaylistPage::retranslate() {}
void PlaylistPage::refreshPlaylist() {}
void PlaylistPage::addChord(const model::Chord&) {}

} // namespace strumvale::pages
