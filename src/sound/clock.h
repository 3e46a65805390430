#pragma once

#include <chrono>
#include <stop_token>

// All timed waits of the sound layer: strum spacing, hold times, drum steps.
// Waits are for absolute deadlines, so that a run of them does not drift.
namespace strumvale::sound {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    virtual ~Clock() = default;
    virtual TimePoint now() = 0;
    // Returns at deadline, true; or earlier when stop is requested, false.
    virtual bool sleepUntil(TimePoint deadline, std::stop_token stop) = 0;
};

// The steady clock of the machine.
Clock& steadyClock();

inline std::chrono::milliseconds milliseconds(int count) {
    return std::chrono::milliseconds(count);
}

} // namespace strumvale::sound
