#pragma once

#include <chrono>

namespace strumvale::platform {

// When a message is meant to sound: the machine's steady clock.
using SteadyTime = std::chrono::steady_clock::time_point;

// A time more than a second away from a message's arrival is a mistake of
// the sender's clock (or another clock's time): such a message is meant for
// its arrival.
inline SteadyTime plausibleTime(SteadyTime at, SteadyTime arrival) {
    constexpr auto kMostSenderError = std::chrono::seconds(1);
    return at > arrival + kMostSenderError || at < arrival - kMostSenderError ? arrival : at;
}

// How the built-in synthesizer places what it is sent.
enum class SynthTiming {
    // Each message at the frame of its time, the way a listener expects.
    Stamped,
    // Each message at the start of the first block rendered after it came,
    // on one synthesizer's block grid: how synthesizers play "now".
    OnArrival,
};

} // namespace strumvale::platform
