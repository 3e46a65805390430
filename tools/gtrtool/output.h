#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace gtrtool {

// One field of a printed record, in UTF-8, with backslash, TAB, CR and LF
// written as \\, \t, \r and \n so every record stays on one line.
std::string fieldText(std::string_view windows1252);

// Prints the fields separated by one TAB, ended by a line break.
void printRecord(std::initializer_list<std::string_view> fields);

// A command-line text (UTF-8) as the core's Windows-1252.
std::string argumentText(std::string_view utf8);

} // namespace gtrtool
