#pragma once

#include <string>
#include <vector>

namespace strumvale::model {

// One run of the chord-change drill.
struct PracticeRecord {
    std::string date;                // the day it ran, YYYY-MM-DD
    std::vector<std::string> chords; // in the order they were changed between
    double changesPerMinute = 0;
    int tempo = 0;   // of the metronome, beats a minute; 0 without one
    int seconds = 0; // how long it ran

    bool operator==(const PracticeRecord&) const = default;
};

// The same chords changed between, whatever the order: G to C is C to G.
bool samePair(const std::vector<std::string>& a, const std::vector<std::string>& b);

} // namespace strumvale::model
