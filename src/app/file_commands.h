#pragma once

#include <string>

namespace strumvale::app {

class MainDialog;

// The Open, Save and Print buttons. Open and Save work on chordfiles, and on
// ChordPro song files while the Playlist page is shown; Print prints the
// playlist there and the chordfile elsewhere.
void openCommand(MainDialog& window);
void saveCommand(MainDialog& window);
void printCommand(MainDialog& window);

// Reads the chordfile at path into the library, as Open does once a file is
// chosen: every page follows, the status line names it. A failure is shown;
// false then.
bool openChordfileAt(MainDialog& window, const std::string& path);

// Saves the library to path; on success that file is the one in use (the
// library's FileName, shown in the status line) and nothing is unsaved. A
// failure is shown and changes nothing; false then.
bool saveChordfileTo(MainDialog& window, const std::string& path);

// Before the chordfile is replaced: with unsaved edits, asks whether to save
// them. True to go on (saved, or not wanted); false when the user cancels or
// the save fails.
bool settleUnsavedChordfile(MainDialog& window);

} // namespace strumvale::app
