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

// What one token says about its string.
struct TokenMeaning {
    enum class Kind { Muted, Fret, NotAFret };
    Kind kind = Kind::NotAFret;
    int fret = -1; // 0..12 for a Fret, else -1
};

// The one reading of a token, shared by drawing, naming the notes, sounding and
// moving to another tuning so that they never disagree: "x" is muted, exactly
// "0".."12" is that fret, and anything else ("13", "03", " 3", "-1", "") is not
// a fret.
TokenMeaning readToken(std::string_view token);

// No token of splitTab is NotAFret.
bool isValidTab(std::string_view tab);

// The one rule for which frets a fingering may hold: the open string (0) up
// to the highest fret the neck shows. Tabs, song definitions, diagrams and
// the voicing finder all ask it.
bool isFretOnTheNeck(int fret);

// Why a fingering that reaches fret is refused, in the words of the errors
// that report it where it enters: "this chord reaches fret 14, beyond the 12
// the neck shows".
std::string beyondTheNeck(int fret);

std::string joinTab(const TabTokens& tokens);

// The token of string n (1..6) read front to back, "" for n outside 1..6.
// Unlike splitTab it never substitutes "x": a short text repeats its last token.
std::string tabToken(std::string_view tab, int stringNumber);

// The fret readToken finds, or -1 for "x" and for a token that is not a fret.
int fretOf(std::string_view token);

} // namespace strumvale::model
