#pragma once

namespace strumvale::app {

class MainDialog;

// The Open, Save and Print buttons. Open and Save work on chordfiles, and on
// ChordPro song files while the Playlist page is shown; Print prints the
// playlist there and the chordfile elsewhere.
void openCommand(MainDialog& window);
void saveCommand(MainDialog& window);
void printCommand(MainDialog& window);

} // namespace strumvale::app
