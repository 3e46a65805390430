#pragma once

#include <string>
#include <string_view>

// A tuning's open-string notes as text: six note names joined by commas,
// string 6 first ("E1,A1,D2,G2,B2,E3").
namespace strumvale::model {

inline constexpr std::string_view kStandardTuningName = "Standard (E-A-D-G-B-E)";
inline constexpr std::string_view kStandardTuningNotes = "E1,A1,D2,G2,B2,E3";
inline constexpr std::string_view kNewTuningName = "New Tuning";
inline constexpr std::string_view kNewTuningNotes = "E-1,E-1,E-1,E-1,E-1,E-1";

// The note of string n (1..6). Fewer than six fields leave the middle strings
// empty and put the last field on string 1; a surplus lands on string 1 too.
std::string tuningNote(std::string_view notes, int stringNumber);

} // namespace strumvale::model
