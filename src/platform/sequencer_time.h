#pragma once

#include "platform/midi_time.h"

#include <chrono>

// When an ALSA queue delivers a stamped message: the queue counts real time
// from its start, so a steady-clock time plus the port's constant latency is
// the queue time it is scheduled at. A time already past is delivered at once.
namespace strumvale::platform {

struct QueueTime {
    unsigned seconds = 0;
    unsigned nanoseconds = 0;

    friend bool operator==(const QueueTime&, const QueueTime&) = default;
};

// Long enough for a sender that wakes a little late to stay on its beat, far
// below what a player hears as a delay.
inline constexpr std::chrono::milliseconds kSequencerLatency{5};

inline QueueTime queueTimeOf(SteadyTime at, SteadyTime queueStart,
                             std::chrono::nanoseconds latency = kSequencerLatency) {
    const auto since =
        std::chrono::duration_cast<std::chrono::nanoseconds>(at - queueStart) + latency;
    if (since.count() <= 0)
        return {};
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    return {static_cast<unsigned>(seconds.count()),
            static_cast<unsigned>((since - seconds).count())};
}

} // namespace strumvale::platform
