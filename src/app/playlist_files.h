#pragma once

namespace strumvale::app {

class MainDialog;

// Open and Save while the Playlist page is shown: the playlist as a ChordPro
// song file. A file that cannot be read changes nothing.
void openPlaylist(MainDialog& window);
void savePlaylist(MainDialog& window);

// Before the playlist is replaced or the window closes: when it changed since
// it was last opened or saved, asks whether to save it. True to go on (saved,
// or not wanted); false when the user cancels or the save fails.
bool settleChangedPlaylist(MainDialog& window);

} // namespace strumvale::app
