#pragma once

#include "model/records.h"

namespace strumvale::sound {

inline constexpr int kDrumSteps = model::DrumPattern::kSteps;
inline constexpr int kDrumTracks = model::DrumPattern::kTracks;

// A drum pattern as its page holds it while it may change: every read gives
// what the user sees now. Read from worker threads; implementations must not
// wait for the user-interface thread.
class LivePattern {
public:
    virtual ~LivePattern() = default;

    // Cell (step 1..16, track 1..8) is a hit.
    virtual bool hit(int step, int track) = 0;
    // A row of the percussion list.
    virtual int instrument(int track) = 0;
    // Note-on velocity 0..127.
    virtual int volume(int track) = 0;
    // Beats per minute as the user typed them, parsed when typed: the text's
    // leading integer, 0 when it has none. Players turn it into a step with
    // stepMilliseconds.
    virtual int tempo() = 0;
};

} // namespace strumvale::sound
