#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// How a tab and a ChordPro {define} say the same fingering: the define counts
// frets from its base fret (1 = the base fret itself), "0" open, "x" muted.
namespace strumvale::formats::chordpro {

inline constexpr int kStrings = 6;

struct DefinedFrets {
    int baseFret = 1;
    // String 6 first: "x", "0" or a fret counted from baseFret.
    std::array<std::string, kStrings> frets;
};

// Frets up to 4 stay at base fret 1; a higher chord starts at its lowest
// fretted string. A token that is no fret number is muted.
DefinedFrets definedFrets(std::string_view tab);

// The highest fret a define reaches, counted from the nut; 0 when it frets no
// string (tokens that are no fret number count for nothing here).
int highestDefinedFret(int baseFret, const std::array<std::string, kStrings>& frets);

// The tab a define names: absolute frets, string 6 first. None when a fret is
// neither a number nor one of the muted spellings ("x", "X", "N", "-1").
std::optional<std::string> tabOfDefine(int baseFret,
                                       const std::array<std::string, kStrings>& frets);

// A fret number as the tab and the define write it: digits only, no leading
// zero, at most 2 digits; none otherwise.
std::optional<int> fretNumber(std::string_view token);

// Lines this program adds as comments, which carry the exact playlist.
inline constexpr std::string_view kMarker = "# strumvale-playlist: 1";
inline constexpr std::string_view kEntryKey = "# strumvale-entry: ";
inline constexpr std::string_view kLyricsKey = "# strumvale-lyrics: ";
// Put before a lyric line that would read as a comment, and after one that
// would continue onto the next line or lose its final CR. Windows-1252 lacks
// it, so a lyric cannot hold it of its own.
inline constexpr std::string_view kZeroWidthSpace = "\xE2\x80\x8B";

// Brackets and braces in a lyric would start or end chords and directives in
// other programs, wherever they stand; the lyric holds their full-width forms
// instead, which look alike and which Windows-1252 lacks as well.
struct LyricStandIn {
    char ascii;
    std::string_view fullWidth;
};
inline constexpr LyricStandIn kLyricStandIns[] = {
    {'[', "\xEF\xBC\xBB"}, {']', "\xEF\xBC\xBD"}, {'{', "\xEF\xBD\x9B"}, {'}', "\xEF\xBD\x9D"}};

} // namespace strumvale::formats::chordpro
