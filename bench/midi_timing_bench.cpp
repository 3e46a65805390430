#include "sound/chord_player.h"
#include "sound/drum_sequencer.h"
#include "sound/play_along.h"
#include "support/bench_size.h"
#include "support/every_step.h"
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
        bench::EveryStep pattern(steps - 1, 7, 595);
        pattern.flags_.loopPattern = true;
        sequencer.start(pattern, pattern.reports());
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

// A hit on every step of a playlist at 100 ms a step.
class DrumOnEveryStep : public sound::LivePattern {
public:
    bool hit(int, int track) override { return track == 1; }
    int instrument(int) override { return 7; }
    int volume(int) override { return 100; }
    int tempo() override { return 595; }
};

// Chords and drums of a playlist on one clock: each chord's first note-on
// against the first plus k bars, each hit against the first plus k steps,
// how far a chord's start lies from its bar's hit, and where the last
// release falls.
void PlayAlongError(benchmark::State& state) {
    auto recorder = std::make_shared<TimingRecorder>();
    platform::ScopedMidiProviders scope({recorder});
    sound::ChordPlayer player;
    player.setup(0, 0, 24, 100);
    // Six strings take 25 ms of a 400 ms bar and ring to its end.
    player.setStrumDelay(5);
    player.setHoldTime(40);
    sound::PlayAlong along(player);
    DrumOnEveryStep pattern;
    const int chords = bench::shortMode() ? 3 : model::Playlist::kCapacity;
    // E1 is the first string of this chord and sounds nowhere else in it.
    model::Playlist playlist;
    for (int k = 0; k < chords; ++k)
        playlist.append({"E", "E", "0 2 2 1 0 0"});
    const std::uint32_t firstString = 0x2890;
    const auto step = std::chrono::milliseconds(sound::stepMilliseconds(pattern.tempo()));
    const auto bar = step * 4;
    std::vector<double> chordErrors, drumErrors, skews;
    double drift = 0;
    for (auto _ : state) {
        along.start(sound::playlistScore(playlist, pattern, true), {});
        along.waitUntilIdle();
        const auto sent = recorder->take();
        std::vector<TimingRecorder::Sent> starts;
        for (const auto& message : sent) {
            if ((message.packed & 0xFFFF) == firstString)
                starts.push_back(message);
        }
        const auto hits = withStatus(sent, 0x99);
        for (std::size_t k = 1; k < starts.size(); ++k)
            chordErrors.push_back(std::abs(microseconds(starts[k].at - (starts[0].at + bar * k))));
        for (std::size_t k = 1; k < hits.size(); ++k)
            drumErrors.push_back(std::abs(microseconds(hits[k].at - (hits[0].at + step * k))));
        for (std::size_t k = 0; k < starts.size() && 4 * k < hits.size(); ++k)
            skews.push_back(microseconds(starts[k].at - hits[4 * k].at));
        const auto releases = withStatus(sent, 0x89);
        if (!hits.empty() && !releases.empty())
            drift = microseconds(releases.back().at - (hits[0].at + step * hits.size()));
    }
    reportErrors(state, "chord", chordErrors);
    reportErrors(state, "drum", drumErrors);
    // Sending the bar's hit before the chord's first note.
    reportErrors(state, "chord_after_hit", skews);
    state.counters["drift_after_playlist_us"] = drift;
    state.counters["chords"] = chords;
}
BENCHMARK(PlayAlongError)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
