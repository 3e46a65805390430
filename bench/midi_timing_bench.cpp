#include "platform/midi_provider.h"
#include "sound/chord_player.h"
#include "sound/drum_sequencer.h"
#include "support/bench_size.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <mutex>
#include <utility>

using namespace strumvale;
using Clock = std::chrono::steady_clock;

namespace {

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

std::vector<TimingRecorder::Sent> withStatus(const std::vector<TimingRecorder::Sent>& all,
                                             std::uint8_t status) {
    std::vector<TimingRecorder::Sent> matching;
    for (const auto& sent : all) {
        if ((sent.packed & 0xFF) == status)
            matching.push_back(sent);
    }
    return matching;
}

double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Median, 99th percentile and maximum, as counters.
void reportErrors(benchmark::State& state, const std::string& prefix, std::vector<double> errors) {
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

// Every strum note-on against the moment the strum was asked for plus k
// strum delays, so the strum thread's start counts too.
void StrumNoteOnError(benchmark::State& state) {
    auto recorder = std::make_shared<TimingRecorder>();
    platform::ScopedMidiProviders scope({recorder});
    sound::ChordPlayer player;
    player.setup(0, 0, 24, 100);
    const int delay = bench::shortMode() ? 2 : 20;
    const int strums = bench::shortMode() ? 2 : 40;
    player.setStrumDelay(delay);
    player.setHoldTime(delay);
    std::vector<double> errors, starts;
    for (auto _ : state) {
        for (int i = 0; i < strums; ++i) {
            auto start = Clock::now();
            player.strum({"E", "E", "0 2 2 1 0 0"}, model::Tuning::standard());
            player.waitUntilIdle();
            auto notes = withStatus(recorder->take(), 0x90);
            for (std::size_t k = 0; k < notes.size(); ++k) {
                auto ideal = start + std::chrono::milliseconds(delay * k);
                errors.push_back(std::abs(microseconds(notes[k].at - ideal)));
            }
            if (!notes.empty())
                starts.push_back(microseconds(notes[0].at - start));
        }
    }
    reportErrors(state, "strum", errors);
    // How much of that is the strum thread getting going.
    reportErrors(state, "strum_start", starts);
}
BENCHMARK(StrumNoteOnError)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// A hit on every step at 100 ms a step: each step against the first plus
// k steps, and where the end of step 64 falls.
class EveryStep : public sound::PatternSource {
public:
    explicit EveryStep(int steps) : steps_(steps) {}
    bool hit(int, int track) override { return track == 1; }
    int instrument(int) override { return 7; }
    int volume(int) override { return 100; }
    std::string tempoText() override { return "595"; }
    sound::DrumFlags& flags() override { return flags_; }
    void markStep(int) override {
        if (++marked_ == steps_)
            flags_.keepPlaying = false;
    }
    void showPlayCaption(std::string_view) override {}

    sound::DrumFlags flags_;

private:
    int steps_;
    int marked_ = 0;
};

void DrumStepError(benchmark::State& state) {
    auto recorder = std::make_shared<TimingRecorder>();
    platform::ScopedMidiProviders scope({recorder});
    sound::ChordPlayer player;
    player.setup(0, 0, 0, 127);
    sound::DrumSequencer sequencer(player);
    const int steps = bench::shortMode() ? 3 : 64;
    const auto step = std::chrono::milliseconds(sound::stepMilliseconds(595));
    std::vector<double> errors;
    double drift = 0;
    for (auto _ : state) {
        EveryStep pattern(steps);
        pattern.flags_.loopPattern = true;
        sequencer.start(pattern);
        player.waitUntilIdle();
        auto sent = recorder->take();
        auto hits = withStatus(sent, 0x99);
        auto releases = withStatus(sent, 0x89);
        for (std::size_t k = 1; k < hits.size(); ++k)
            errors.push_back(std::abs(microseconds(hits[k].at - (hits[0].at + step * k))));
        if (!hits.empty() && !releases.empty())
            drift = microseconds(releases.back().at - (hits[0].at + step * hits.size()));
    }
    reportErrors(state, "drum", errors);
    state.counters["drift_after_steps_us"] = drift;
    state.counters["steps"] = steps;
}
BENCHMARK(DrumStepError)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
