#pragma once

#include <string>
#include <string_view>

namespace strumvale::model {

// A library tab is written for standard tuning. This is the tab that sounds
// the same pitches on the strings of tuningNotes: each fretted string moves by
// how far its open note lies from standard's ("x" where it would fall below
// the nut). Muted strings, tokens that are no fret and strings whose open note
// the note table does not know stay as written; a text of another token count
// comes back unchanged.
std::string tabInTuning(std::string_view standardTab, std::string_view tuningNotes);

} // namespace strumvale::model
