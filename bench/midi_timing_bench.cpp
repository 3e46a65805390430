#include "sound/chord_player.h"
#include "sound/drum_sequencer.h"
#include "support/bench_size.h"
#include "support/midi_timing.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <mutex>
#include <utility>

using namespace strumvale;
using bench::Clock;
using bench::microseconds;
using bench::reportErrors;
using bench::TimingRecorder;
using bench::withStatus;

namespace {

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
