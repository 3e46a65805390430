#pragma once

namespace strumvale::app {

class MainDialog;

// Open and Save while the Playlist page is shown: the playlist as a ChordPro
// song file. A file that cannot be read changes nothing.
void openPlaylist(MainDialog& window);
void savePlaylist(MainDialog& window);

} // namespace strumvale::app
