#pragma once

#include "model/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The chordfile's text forms of a drum pattern's tracks and grid.
namespace strumvale::formats {

using TrackValues = std::array<std::int32_t, model::DrumPattern::kTracks>;
using PatternGrid = decltype(model::DrumPattern::Pattern);

// "0,0,0,0,0,0,0,0": eight decimal integers, track 1 first.
std::string trackValuesText(const TrackValues& values);
// The first eight comma-separated pieces as leading integers; missing pieces are 0.
TrackValues parseTrackValues(std::string_view text);

// One "(track,step)" group per set cell, in step order and within a step in
// track order; an empty grid is the empty text.
std::string patternText(const PatternGrid& grid);
// Sets the cell of every "(track,step)" group; groups outside the grid are ignored.
PatternGrid parsePattern(std::string_view text);

} // namespace strumvale::formats
