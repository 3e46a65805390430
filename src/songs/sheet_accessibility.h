#pragma once

namespace strumvale::songs {

// Lets screen readers read a song sheet view line by line: the view is a
// document whose children are its lyric lines, each named by its words and
// chords. Installing more than once does nothing more.
void installSheetAccessibility();

} // namespace strumvale::songs
