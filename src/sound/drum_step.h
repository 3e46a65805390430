#pragma once

#include "sound/chord_player.h"
#include "sound/live_pattern.h"

#include <vector>

namespace strumvale::sound {

// The length of one step at bpm beats per minute, 100..2000 ms.
int stepMilliseconds(int bpm);

// The drums of one step, for every player of a pattern: it releases exactly
// the sounds it struck, so a cell cleared or a sound changed while the step
// sounds leaves no note on, and a cell set meanwhile gets no note-off.
class DrumStep {
public:
    explicit DrumStep(ChordPlayer& player) : player_(player) {}

    // Strikes the hits of step 1..16 as the pattern holds them now, track by
    // track, meant for time at (now when not given); returns false after a failure, which has been
    // reported and strikes nothing more.
    bool strike(LivePattern& pattern, int step, ChordPlayer::Moment at = {});
    // Releases what was struck since the last release; returns false after a
    // failure, which has been reported and releases nothing more. Does nothing
    // when nothing was struck.
    bool release(ChordPlayer::Moment at = {});

private:
    ChordPlayer& player_;
    // Kept between steps, so that a step allocates nothing.
    std::vector<int> struck_;
};

} // namespace strumvale::sound
