#pragma once

#include "platform/midi_provider.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// What the MIDI timing benchmarks share: an output that stamps each message
// on the real clock, and the error statistics they report.
namespace strumvale::bench {

using Clock = std::chrono::steady_clock;

// An output that notes when each message arrives, on the real clock.
class TimingRecorder : public platform::MidiDeviceProvider {
public:
    struct Sent {
        Clock::time_point at;
        std::uint32_t packed;
    };

    std::vector<platform::MidiPortEntry> outputPorts() override {
        return {{"Timing recorder", "timing"}};
    }
    platform::MidiResult openOutput(const std::string&,
                                    std::unique_ptr<platform::MidiOutPort>& port) override {
        port = std::make_unique<Port>(*this);
        return platform::midi_result::NoError;
    }

    std::vector<Sent> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(sent_, {});
    }

private:
    class Port : public platform::MidiOutPort {
    public:
        explicit Port(TimingRecorder& owner) : owner_(owner) {}
        platform::MidiResult sendShortMessage(std::uint32_t message) override {
            auto now = Clock::now();
            std::lock_guard lock(owner_.mutex_);
            owner_.sent_.push_back({now, message});
            return platform::midi_result::NoError;
        }

    private:
        TimingRecorder& owner_;
    };

    std::mutex mutex_;
    std::vector<Sent> sent_;
};

inline std::vector<TimingRecorder::Sent> withStatus(const std::vector<TimingRecorder::Sent>& all,
                                                    std::uint8_t status) {
    std::vector<TimingRecorder::Sent> matching;
    for (const auto& sent : all) {
        if ((sent.packed & 0xFF) == status)
            matching.push_back(sent);
    }
    return matching;
}

inline double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Median, 99th percentile and maximum, as counters.
inline void reportErrors(benchmark::State& state, const std::string& prefix,
                         std::vector<double> errors) {
    if (errors.empty())
        return;
    std::sort(errors.begin(), errors.end());
    auto at = [&](double fraction) {
        return errors[std::min(errors.size() - 1,
                               static_cast<std::size_t>(fraction * errors.size()))];
    };
    state.counters[prefix + "_median_us"] = at(0.5);
    state.counters[prefix + "_p99_us"] = at(0.99);
    state.counters[prefix + "_max_us"] = errors.back();
    state.counters[prefix + "_samples"] = static_cast<double>(errors.size());
}

} // namespace strumvale::bench
