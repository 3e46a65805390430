#include "sound/tap_tempo.h"

#include <cmath>

namespace strumvale::sound {

std::optional<int> TapTempo::tap(Clock::TimePoint at) {
    // A pause, or a clock that went back, begins a new count.
    if (!taps_.empty() && (at - taps_.back() > kPause || at <= taps_.back()))
        taps_.clear();
    taps_.push_back(at);
    if (taps_.size() > static_cast<std::size_t>(kTapsKept))
        taps_.pop_front();
    if (taps_.size() < 2)
        return std::nullopt;
    const double seconds = std::chrono::duration<double>(taps_.back() - taps_.front()).count() /
                           static_cast<double>(taps_.size() - 1);
    return static_cast<int>(std::lround(60.0 / seconds));
}

} // namespace strumvale::sound
