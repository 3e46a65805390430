#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace strumvale::app {

class MainDialog;

// Files given to the program from outside its window: on the command line,
// or handed over by a later start (a file opened from the desktop).
enum class GivenFileKind { Chordfile, Song };

// Songs by their extensions (.cho, .chopro, .pro, in any case); anything
// else is read as a chordfile, which says so when it is none.
GivenFileKind kindOfGivenFile(const QString& path);

// The file among the program's arguments (those after the program's name
// that Qt left), made absolute; none when there is none.
std::optional<QString> givenFile(const QStringList& arguments);

// A song given at start-up: shown on the Playlist page, read as the Open
// command reads one there, with the chordfile the window started with
// supplying its chords. (A chordfile given at start-up is the window's
// startup chordfile instead.)
void openSongAtStart(MainDialog& window, const QString& path);

// A file handed over while the window runs: opened as the Open command would
// open it (asking about unsaved work first), and the window comes to the front.
void openHandedOverFile(MainDialog& window, const QString& path);

} // namespace strumvale::app
