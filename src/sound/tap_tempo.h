#pragma once

#include "sound/clock.h"

#include <deque>
#include <optional>

namespace strumvale::sound {

// A tempo tapped in: the average of the intervals between the last four taps
// at most; a pause of two seconds starts the count afresh.
class TapTempo {
public:
    static constexpr int kTapsKept = 4;
    static constexpr std::chrono::seconds kPause{2};

    // The tempo in beats a minute once two taps are in; none for the first.
    std::optional<int> tap(Clock::TimePoint at);

private:
    std::deque<Clock::TimePoint> taps_;
};

} // namespace strumvale::sound
