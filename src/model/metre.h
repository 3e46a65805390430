#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace strumvale::model {

// A time signature as a player counts it. The beat is what a metronome clicks
// and what beats per minute count: the quarter of 3/4, the dotted quarter of
// 6/8, 9/8 and 12/8, and the eighth of 5/8 and 7/8, whose groups are uneven.
struct Metre {
    int count = 4; // the upper number
    int unit = 4;  // the lower number: 2, 4, 8 or 16

    // Eighths and smaller in threes: 6/8, 9/8, 12/8.
    bool isCompound() const { return unit >= 8 && count % 3 == 0 && count > 3; }
    int beatsPerBar() const { return isCompound() ? count / 3 : count; }
    // What a beat divides into when the metronome clicks its subdivisions:
    // the three eighths of a dotted beat, else halves.
    int subdivisions() const { return isCompound() ? 3 : 2; }
    std::string text() const;

    bool operator==(const Metre&) const = default;
};

// "N/M" with N 1..32 and M 2, 4, 8 or 16, blanks around either allowed; none
// for anything else.
std::optional<Metre> parseMetre(std::string_view text);

// The metres the metronome offers, in the order it lists them.
inline constexpr std::array<Metre, 8> kMetronomeMetres = {
    {{2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 8}, {7, 8}, {9, 8}, {12, 8}}};

} // namespace strumvale::model
