#pragma once

#include "model/song.h"

#include <string>
#include <utility>

// A song as a plain-text chord sheet: what a terminal, a mail or a text
// file shows, with each chord above the character it stands over.
namespace strumvale::formats {

// The chord row and the lyric row of one line, aligned by characters (not
// bytes); where chords stand closer than their names are long, the words
// make room. Either row may be empty.
std::pair<std::string, std::string> chordAndLyricRows(const model::SongLine& line);

// The title, the other metadata as "Name: value" lines, then the sections as
// they are read (a recalled chorus again), each under its label in brackets.
std::string songSheetText(const model::Song& song);

} // namespace strumvale::formats
