#pragma once

#include "model/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the drawn views show, as the short data a screen reader reads out in
// place of the picture. Data only, so no language is involved.
namespace strumvale::fretboard {

// A pitch class the fretboard can place: one of "C".."B" spelled with sharps.
bool isSharpPitchClass(std::string_view text);

// "x 3 2 0 1 0: C2 E2 G2 C3 E3": the tab, then the notes its strings sound in
// the tuning, string 6 first. Empty for no tab, none for a tab that is no
// fingering, as the fretboard then draws nothing or its message.
std::optional<std::string> describeChord(std::string_view tab, std::string_view tuningNotes);

// "D E F# G A B C#": the scale's notes moved to the key (0..11 semitones above
// C); none when a note is no sharp pitch class, as the fretboard then shows
// its message.
std::optional<std::string> describeScale(const model::Scale& scale, int keyOffset);

// "C, G7 | Am": the chords' names in order, a separator as "|".
std::string describePlaylist(const std::vector<model::Chord>& chords);

} // namespace strumvale::fretboard
