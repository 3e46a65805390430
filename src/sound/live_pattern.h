#pragma once

#include <string>

namespace strumvale::sound {

inline constexpr int kDrumSteps = 16;
inline constexpr int kDrumTracks = 8;

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
    // Beats per minute as the user typed them.
    virtual std::string tempoText() = 0;
};

} // namespace strumvale::sound
