#pragma once

#include "formats/chordpro.h"

#include <string>
#include <string_view>
#include <vector>

// The small text operations both kinds of song file are read with.
namespace strumvale::formats::chordpro {

// Returns text without its leading and trailing blanks (space, tab, form feed).
std::string trimmed(std::string_view text);
// Returns text with ASCII letters in lower case.
std::string lowered(std::string_view text);
// Returns UTF-8 text in the Windows-1252 bytes that records hold.
std::string toCore(std::string_view utf8);
// Returns the error for a line that cannot be read, saying where and why.
ChordProError badLine(int line, std::string_view why);
// Returns the words of a directive's argument, split at blanks and colons;
// a quoted word keeps its blanks and loses its quotes.
std::vector<std::string> words(std::string_view text);

} // namespace strumvale::formats::chordpro
