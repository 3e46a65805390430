#pragma once

#include "theory/chord_symbol.h"

#include <string>
#include <string_view>
#include <vector>

// Playable fingerings for a chord symbol in any tuning.
namespace strumvale::theory {

struct VoicingLimits {
    int count = 20;
    int highestFret = 12;
};

// Tabs ("x 3 2 0 1 0") that sound every required tone and nothing else, that
// a hand can hold (isPlayable) and that have the symbol's bass as their lowest
// note; best first: the open shapes, then the barred E-, A- and D-forms and the
// C- and G-forms up the neck, full voicings before thin ones, the root in the
// bass. None repeats a fingering listed before it with strings left out.
std::vector<std::string> findVoicings(const ChordSymbol& symbol, std::string_view tuningNotes,
                                      VoicingLimits limits = {});

} // namespace strumvale::theory
