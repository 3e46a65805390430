#pragma once

#include "platform/midi_time.h"
#include "platform/phased_synth.h"
#include "platform/sample_clock.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// The built-in synthesizer's timing: every message is stamped with the
// steady-clock time it is meant for (its arrival when the sender knows no
// better), mapped onto the stream's frames through the measured audio clock,
// and sounds at that frame plus one constant latency, whatever the period the
// audio driver renders in.
namespace strumvale::platform {

class ScheduledSynth {
public:
    ScheduledSynth(std::vector<std::unique_ptr<BlockSynth>> phases, double sampleRate,
                   SynthTiming timing = SynthTiming::Stamped);

    // From any thread; see plausibleTime for a time far from arrival.
    void send(std::uint32_t message, SteadyTime at, SteadyTime arrival);

    // The audio driver's thread: the next frames, as a period starting now.
    // Replaces what left and right held.
    void render(float* left, float* right, int frames, SteadyTime now);

    // From stamp to sound: the driver's period, the grid step and the
    // callback jitter seen so far; it only grows, and only when a message
    // would have come too late for it.
    std::chrono::microseconds latency() const;
    // When everything sent so far has been rendered, on the steady clock.
    SteadyTime settledBy();
    std::int64_t position() const { return synth_.position(); }
    BlockSynth& phase(int index) { return synth_.phase(index); }

private:
    struct Stamped {
        std::uint32_t message;
        SteadyTime at;
        std::uint64_t order;
    };

    double sampleRate_;
    SynthTiming timing_;
    PhasedSynth synth_;
    SampleClock clock_;

    std::mutex inboxMutex_;
    std::vector<Stamped> inbox_;
    std::uint64_t arrivals_ = 0;
    SteadyTime latestMeant_{};

    // The render thread's own.
    std::vector<Stamped> waiting_;
    std::vector<FramedMessage> due_;
    int longestPeriod_ = 0;
    double latencyFrames_ = 0;
    std::atomic<double> latencySeconds_{0};
    std::atomic<int> longestPeriodSeen_{0};
};

} // namespace strumvale::platform
