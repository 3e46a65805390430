#pragma once

#include <string_view>

// Comparisons of Windows-1252 text.
namespace strumvale::model {

// Equal ignoring letter case: ASCII letters and the accented letters of
// Windows-1252 (À..Þ with à..þ except × and ÷, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace strumvale::model
