#include "pages/playlist_page.h"

#include "resources/templates/playlist_page.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace strumvale::pages {

using Id = resources::PlaylistId;

PlaylistPage::PlaylistPage(PageHost& host, QWidget* parent)
    : Page(host, resources::playlistPageTemplate(), parent) {
    control<uikit::ImageButton>(Id::MoveUp)->setIconResource(uikit::icon::MoveUp);
    control<uikit::ImageButton>(Id::MoveDown)->setIconResource(uikit::icon::MoveDown);
    retranslate();
}

// A language change replaces the lyrics with the hint, whatever was typed.
void PlaylistPage::retranslate() {
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QPushButton>(Id::Add)->setText(translate("Add"));
    control<QPushButton>(Id::AddSeparator)->setText(translate("Add Separator"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPlainTextEdit>(Id::Lyrics)->setPlainText(translate("Add your lyrics or notes here."));
}

void PlaylistPage::refreshPlaylist() {}
void PlaylistPage::addChord(const model::Chord&) {}

} // namespace strumvale::pages
