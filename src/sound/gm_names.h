#pragma once

#include <array>
#include <string_view>

// The General MIDI sounds by name, as the settings dialog and the Drummer page
// list them. Positions are what settings and patterns store.
namespace strumvale::sound {

inline constexpr int kInstrumentCount = 104;
inline constexpr int kPercussionCount = 47;
inline constexpr int kFirstPercussionNote = 35;

const std::array<std::string_view, kInstrumentCount>& instrumentNames();
const std::array<std::string_view, kPercussionCount>& percussionNames();

// Programs 96..119 have no entry, so the last eight positions skip them.
constexpr int programNumber(int position) {
    return position < 96 ? position : position + 24;
}

constexpr int percussionNote(int row) {
    return row + kFirstPercussionNote;
}

} // namespace strumvale::sound
