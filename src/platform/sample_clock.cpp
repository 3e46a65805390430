#include "platform/sample_clock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace strumvale::platform {

namespace {

double secondsOf(SteadyTime time) {
    return std::chrono::duration<double>(time.time_since_epoch()).count();
}

// Wide at first so that the loop locks within a second, then narrow so that
// a period's jitter moves the mapping by a small fraction of itself.
constexpr double kLockingBandwidthHz = 2.0;
constexpr double kLockedBandwidthHz = 0.1;
constexpr double kLockingSeconds = 2.0;
// A period this far off the line is a stall or a restarted stream, not
// jitter: the loop starts again from it.
constexpr double kLostSeconds = 0.25;
// Cards are within a few hundred parts per million; a measured rate further
// off than this is a fault of the measurement.
constexpr double kMostRateError = 0.01;

} // namespace

void SampleClock::restart(std::int64_t frame, double now) {
    started_ = true;
    frame0_ = frame;
    time0_ = now;
    secondsPerFrame_ = 1.0 / nominalRate_;
    lockedFor_ = 0;
}

void SampleClock::periodStarted(std::int64_t frame, SteadyTime now) {
    const double seconds = secondsOf(now);
    if (!started_ || frame <= frame0_) {
        restart(frame, seconds);
        return;
    }
    const double frames = static_cast<double>(frame - frame0_);
    const double elapsed = frames * secondsPerFrame_;
    const double predicted = time0_ + elapsed;
    const double error = seconds - predicted;
    if (std::abs(error) > kLostSeconds) {
        restart(frame, seconds);
        return;
    }
    lockedFor_ += elapsed;
    const double bandwidth =
        lockedFor_ < kLockingSeconds ? kLockingBandwidthHz : kLockedBandwidthHz;
    // The loop's coefficients for this period's length (critically damped);
    // a very long period is held to a stable step.
    const double omega = std::min(0.5, 2 * std::numbers::pi * bandwidth * elapsed);
    time0_ = predicted + std::numbers::sqrt2 * omega * error;
    secondsPerFrame_ += omega * omega * error / frames;
    const double nominal = 1.0 / nominalRate_;
    secondsPerFrame_ = std::clamp(secondsPerFrame_, nominal * (1 - kMostRateError),
                                  nominal * (1 + kMostRateError));
    frame0_ = frame;
}

double SampleClock::frameAt(SteadyTime time) const {
    if (!started_)
        return secondsOf(time) * nominalRate_;
    return static_cast<double>(frame0_) + (secondsOf(time) - time0_) / secondsPerFrame_;
}

} // namespace strumvale::platform
