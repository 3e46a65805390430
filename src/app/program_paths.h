#pragma once

#include <QString>
#include <string>

namespace strumvale::app {

// A path as the status line shows it: relative names are taken from the
// program directory.
std::string loadedChordfilePath(const std::string& programDirectory, const std::string& fileName);

// The read-me beside the program, as the Help button opens it, whole however
// deep the program folder lies.
QString readmeTarget(const std::string& programDirectory);

// The chordfile a file dialog's choice names: the chosen folder and name,
// with ".gtr" appended unless the name already ends in it exactly.
QString chosenChordfilePath(const QString& chosen);

} // namespace strumvale::app
