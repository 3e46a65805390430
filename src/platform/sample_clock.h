#pragma once

#include "platform/midi_time.h"

#include <cstdint>

// Where an audio stream's frames fall on the steady clock. A sound card's
// crystal is a little off the machine's clock, so the rate is measured, not
// assumed: a second-order delay-locked loop fed with the time each period
// starts filters the callback jitter out and follows the real rate.
namespace strumvale::platform {

class SampleClock {
public:
    explicit SampleClock(double nominalRate) : nominalRate_(nominalRate) {}

    // The renderer, as a period starting at stream frame begins, at time now.
    void periodStarted(std::int64_t frame, SteadyTime now);

    // The stream frame (fractional) that sounds at time; before the first
    // period, frame 0 at the nominal rate from the epoch.
    double frameAt(SteadyTime time) const;
    // Frames per steady-clock second, as measured.
    double framesPerSecond() const { return 1.0 / secondsPerFrame_; }
    bool locked() const { return started_; }

private:
    void restart(std::int64_t frame, double now);

    double nominalRate_;
    bool started_ = false;
    std::int64_t frame0_ = 0;
    double time0_ = 0;           // filtered steady time of frame0_, in seconds
    double secondsPerFrame_ = 0; // set on the first period
    double lockedFor_ = 0;       // seconds since the loop last restarted
};

} // namespace strumvale::platform
