#pragma once

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::app {

// The language at start: the chosen language file, else Swedish for a
// Swedish user when nothing was chosen, else the built-in English table.
// A file that cannot be read falls back silently.
void loadStartupLanguage(ChordLibrary& library);

} // namespace strumvale::app
