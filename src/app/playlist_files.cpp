#include "app/playlist_files.h"

#include "app/command_messages.h"
#include "app/main_dialog.h"
#include "app/page_tab_ctrl.h"
#include "formats/chordpro.h"
#include "formats/song_file.h"
#include "library/song_chords.h"
#include "pages/playlist_page.h"
#include "platform/file_error.h"
#include "uikit/file_dialog.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <QFileInfo>

namespace strumvale::app {
namespace {

QString readFailure(MainDialog& window, const formats::ChordProError& error) {
    switch (error.kind()) {
    case formats::ChordProError::Kind::NotText:
        return window.translate("This file is not a text file.");
    case formats::ChordProError::Kind::TooLarge:
        return window.translate("This file is too large for a playlist.");
    case formats::ChordProError::Kind::BeyondTheNeck:
        return window.translate("This line holds a chord beyond the 12 frets the neck shows:") +
               QStringLiteral(" ") + QString::number(error.line());
    case formats::ChordProError::Kind::BadLine:
        break;
    }
    return window.translate("This line cannot be read:") + QStringLiteral(" ") +
           QString::number(error.line());
}

// The dialog starts beside the song file in use, else the chordfile in use;
// saving offers the song file's name.
uikit::FileDialogRequest songDialog(MainDialog& window, uikit::FileDialogKind kind) {
    uikit::FileDialogRequest request{kind, uikit::songFileFilter(), QString(), QString()};
    const QString& song = window.pageTabs().playlistPage().songFile();
    if (!song.isEmpty()) {
        request.directory = QFileInfo(song).absolutePath();
        if (kind == uikit::FileDialogKind::Save)
            request.fileName = QFileInfo(song).fileName();
    } else if (!window.library().FileName.empty()) {
        request.directory = QFileInfo(uikit::fromSystem(window.library().FileName)).absolutePath();
    }
    return request;
}

bool writeSong(MainDialog& window, const QString& path) {
    pages::PlaylistPage& page = window.pageTabs().playlistPage();
    try {
        formats::savePlaylist(page.playlistToKeep(), uikit::toSystem(path));
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return false;
    }
    page.setSavedTo(path);
    return true;
}

bool chooseAndWriteSong(MainDialog& window) {
    const std::optional<QString> chosen =
        uikit::chooseFile(&window, songDialog(window, uikit::FileDialogKind::Save));
    return chosen && writeSong(window, uikit::chosenSongPath(*chosen));
}

} // namespace

void openPlaylist(MainDialog& window) {
    const std::optional<QString> chosen =
        uikit::chooseFile(&window, songDialog(window, uikit::FileDialogKind::Open));
    if (chosen)
        openSongAt(window, *chosen);
}

bool openSongAt(MainDialog& window, const QString& path) {
    model::Playlist playlist;
    try {
        const std::string bytes = formats::readSongFile(uikit::toSystem(path));
        if (!formats::isOwnPlaylistFile(bytes)) {
            window.showSongs(formats::readSongs(bytes), path);
            return true;
        }
        playlist = formats::readChordPro(
            bytes, {library::songChordLookup(window.library().Chords.items())});
    } catch (const platform::FileError& error) {
        showStopMessage(window, error);
        return false;
    } catch (const formats::ChordProError& error) {
        uikit::showMessage(&window, {window.translate("Could not open the file.") +
                                         QStringLiteral("\n") + readFailure(window, error),
                                     window.translate("Error"), uikit::MessageIcon::Information,
                                     uikit::MessageButtons::Ok});
        return false;
    }
    window.pageTabs().setCurrentIndex(PageTabCtrl::Playlist);
    if (!settleChangedPlaylist(window))
        return false;
    window.pageTabs().playlistPage().showOpenedPlaylist(playlist, path);
    return true;
}

void savePlaylist(MainDialog& window) {
    if (!askToContinue(window, "This will save the Playlist, Continue?", "Save?"))
        return;
    chooseAndWriteSong(window);
}

bool settleChangedPlaylist(MainDialog& window) {
    pages::PlaylistPage& page = window.pageTabs().playlistPage();
    if (!page.isChanged())
        return true;
    switch (askToSaveChanges(window, window.translate("Save changes to the playlist?"))) {
    case uikit::MessageAnswer::Yes:
        return page.songFile().isEmpty() ? chooseAndWriteSong(window)
                                         : writeSong(window, page.songFile());
    case uikit::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

} // namespace strumvale::app
