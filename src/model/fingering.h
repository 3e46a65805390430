#pragma once

#include <array>
#include <string>
#include <string_view>

// A chord's fingering as text: six space-separated tokens, string 6 first,
// each "x" (not played), "0" (open) or the fret "1".."12".
namespace strumvale::model {

inline constexpr int kStringCount = 6;
using TabTokens = std::array<std::string, kStringCount>;

inline constexpr std::string_view kMutedTab = "x x x x x x";

// Exactly six tokens, string 6 first; any other token count gives six "x".
TabTokens splitTab(std::string_view tab);

// Every token of splitTab is exactly "x" or one of "0".."12".
bool isValidTab(std::string_view tab);

std::string joinTab(const TabTokens& tokens);

// The token of string n (1..6) read front to back, "" for n outside 1..6.
// Unlike splitTab it never substitutes "x": a short text repeats its last token.
std::string tabToken(std::string_view tab, int stringNumber);

// The fret of a valid token, or -1 for "x".
int fretOf(std::string_view token);

} // namespace strumvale::model
