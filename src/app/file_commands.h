#pragma once

namespace strumvale::app {

class MainDialog;

// The Open, Save and Print buttons. Playlists can be neither opened nor
// saved in this version, and nothing prints; those answer with a notice.
void openCommand(MainDialog& window);
void saveCommand(MainDialog& window);
void printCommand(MainDialog& window);

} // namespace strumvale::app
