#pragma once

#include <QString>

namespace strumvale::app {

class MainDialog;

// Open and Save while the Playlist page is shown: the playlist as a ChordPro
// song file; Open shows a song from elsewhere in the song window. A file that
// cannot be read changes nothing.
void openPlaylist(MainDialog& window);
void savePlaylist(MainDialog& window);

// Opens the song file at path as Open does there once a file is chosen: a
// playlist this program saved goes onto the Playlist page (after the question
// about unsaved changes there), a song from elsewhere into the song window. A
// file that cannot be read is shown, changes nothing and gives false.
bool openSongAt(MainDialog& window, const QString& path);

// Before the playlist is replaced or the window closes: when it changed since
// it was last opened or saved, asks whether to save it. True to go on (saved,
// or not wanted); false when the user cancels or the save fails.
bool settleChangedPlaylist(MainDialog& window);

} // namespace strumvale::app
