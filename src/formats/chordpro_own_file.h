#pragma once

#include "model/playlist.h"

#include <string>
#include <vector>

namespace strumvale::formats::chordpro {

// Returns the exact playlist that a file this program wrote carries in its
// comment lines; throws ChordProError when one of them cannot be read.
model::Playlist readOwnFile(const std::vector<std::string>& lines);

} // namespace strumvale::formats::chordpro
