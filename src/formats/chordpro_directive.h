#pragma once

#include "formats/chordpro.h"

#include <optional>
#include <string>
#include <utility>

// A directive line of a song file, "{name-selector: argument}", as both the
// playlist reader and the song reader read it.
namespace strumvale::formats::chordpro {

struct Directive {
    std::string name;        // its long form, lower case, without a selector
    std::string writtenName; // as the file writes it ("t", "Title", "soc")
    std::string selector;
    std::string argument;
};

// line holds "{...}" with nothing around it.
Directive directiveOf(const std::string& line);

// Whether the song reader knows what a directive (by its long name) means.
bool isKnownDirective(const std::string& name);

// {define: NAME base-fret B frets F6 .. F1 ...}, or the older NAME B F6 .. F1:
// the name and its tab, none when the define only copies or decorates.
// Throws ChordProError for one that cannot be read or lies beyond the neck.
std::pair<std::string, std::optional<std::string>> defineOf(const Directive& directive, int line);

} // namespace strumvale::formats::chordpro
