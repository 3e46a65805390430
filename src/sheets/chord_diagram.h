#pragma once

#include <array>
#include <optional>
#include <string_view>

// A fingering as a chord diagram shows it: six strings, string 6 first, over
// a span of frets that starts at the nut or at a base fret.
namespace strumvale::sheets {

struct ChordDiagram {
    enum class Mark { Muted, Open, Fretted };
    static constexpr int kStrings = 6;
    static constexpr int kMinimumRows = 4;

    std::array<Mark, kStrings> marks{};
    // The row of each fretted string, from 1 at the top; 0 otherwise.
    std::array<int, kStrings> rows{};
    // The fret of row 1; 1 means the nut is drawn above it.
    int baseFret = 1;
    int rowCount = kMinimumRows;

    // One finger across strings first..last (indices, string 6 = 0) on a row.
    struct Barre {
        int row = 1;
        int first = 0;
        int last = 0;
        friend bool operator==(const Barre&, const Barre&) = default;
    };
    std::optional<Barre> barre;
};

// Frets up to 4 are shown from the nut; a higher chord from its lowest fret.
// A barre is drawn where the lowest fret holds both the lowest fretted string
// and string 1, every string between them is fretted, and it spans at least
// four strings. A token that is no fret number shows as muted.
ChordDiagram chordDiagram(std::string_view tab);

} // namespace strumvale::sheets
