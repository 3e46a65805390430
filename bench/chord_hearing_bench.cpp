#include "sound/chord_hearing.h"
#include "sound/strum_watch.h"
#include "support/bench_size.h"
#include "support/strum_trials.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

// The chord check by ear: how often its verdicts are right on strums of
// plucked strings and the synthesizer's guitars, right and with one fault
// each, and what one verdict costs.
using namespace strumvale;

namespace {

std::vector<test::StrumTrial> allTrials() {
    std::vector<test::StrumTrial> trials;
    for (test::GuitarSource source :
         {test::GuitarSource::Plucked, test::GuitarSource::Nylon, test::GuitarSource::Steel}) {
        for (double spread : {10.0, 35.0, 60.0}) {
            for (const test::TrialChord& chord : test::kTrialChords)
                trials.push_back({chord, source, spread});
        }
    }
    // Short mode: one chord of each kind, each source once.
    if (bench::shortMode())
        trials = {trials[0], trials[24 * 4 + 18], trials[24 * 8 + 14]};
    return trials;
}

void verdicts(benchmark::State& state) {
    const std::vector<test::StrumTrial> trials = allTrials();
    test::TrialTally tally;
    for (auto _ : state)
        tally = test::runStrumTrials(trials);
    for (const std::string& miss : tally.misses)
        std::fprintf(stderr, "%s\n", miss.c_str());
    state.counters["right_chords_right_%"] = 100 * tally.rightShare();
    state.counters["faulty_chords_wrong_%"] = 100 * tally.wrongShare();
    state.counters["faults_placed_%"] = 100 * tally.placedShare();
    state.counters["faults_named_%"] = tally.faulty ? 100.0 * tally.faultNamed / tally.faulty : 0;
    state.counters["faulty_called_right"] = tally.faultyCalledRight;
    state.counters["strums"] = tally.right + tally.faulty;
}
BENCHMARK(verdicts)->Iterations(1)->Unit(benchmark::kSecond);

// The same strums with the practice metronome heard from the speakers (the
// drill's clicks along, at 80 beats a minute, falling anywhere against the
// strum), the clicks' peak at the level given against the strum's.
void verdictsWithClicks(benchmark::State& state) {
    const double levelDb = double(state.range(0));
    const std::vector<test::StrumTrial> trials = allTrials();
    test::TrialTally tally;
    const test::AddToRoom clicks = [levelDb](std::vector<float>& recording, unsigned seed) {
        const double beat = 0.75;
        test::addClicks(recording, beat, std::fmod(seed * 0.137, beat), levelDb);
    };
    for (auto _ : state)
        tally = test::runStrumTrials(trials, clicks);
    if (std::getenv("STRUMVALE_BENCH_MISSES") != nullptr)
        for (const std::string& miss : tally.misses)
            std::fprintf(stderr, "%s\n", miss.c_str());
    state.counters["right_chords_right_%"] = 100 * tally.rightShare();
    state.counters["faulty_chords_wrong_%"] = 100 * tally.wrongShare();
    state.counters["faulty_called_right"] = tally.faultyCalledRight;
    state.counters["strums"] = tally.right + tally.faulty;
}
BENCHMARK(verdictsWithClicks)->Arg(-12)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

// One strum judged: the share of a core it takes at a strum a second, and
// when its verdict is there after the attack (the audio it waits for, then
// the analysis).
void oneVerdict(benchmark::State& state) {
    const auto expected = sound::expectedStrum("3 2 0 0 0 3", model::kStandardTuningNotes);
    test::StrumStyle style;
    const std::vector<float> audio = test::pluckedStrum(
        std::vector<std::optional<int>>(expected->notes.begin(), expected->notes.end()), style);
    const std::clock_t started = std::clock();
    for (auto _ : state)
        benchmark::DoNotOptimize(sound::checkStrum(audio, test::kStrumRate, *expected));
    const double cpuSeconds = double(std::clock() - started) / CLOCKS_PER_SEC;
    state.counters["core_%_at_a_strum_a_second"] = 100 * cpuSeconds / double(state.iterations());
    state.counters["audio_waited_ms"] = 1000 * sound::kStrumListenSeconds;
}
BENCHMARK(oneVerdict)->Unit(benchmark::kMillisecond);

// Listening without a pause: ten strums a second and a half apart, and the
// room between them, pushed in the 10 ms blocks a capture brings. The share
// of a core is the CPU time against the audio's own time.
void listening(benchmark::State& state) {
    const auto expected = sound::expectedStrum("x 3 2 0 1 0", model::kStandardTuningNotes);
    const std::vector<std::optional<int>> notes(expected->notes.begin(), expected->notes.end());
    std::vector<float> audio;
    for (int strum = 0; strum < (bench::shortMode() ? 2 : 10); ++strum) {
        test::StrumStyle style;
        style.seed = unsigned(strum + 1);
        const std::vector<float> one = test::pluckedStrum(notes, style, 1.2);
        audio.insert(audio.end(), one.begin(), one.end());
    }
    const double seconds = double(audio.size()) / test::kStrumRate;
    int heard = 0;
    const std::clock_t started = std::clock();
    for (auto _ : state) {
        sound::StrumWatch watch(test::kStrumRate);
        watch.expect(*expected);
        heard = 0;
        for (std::size_t at = 0; at < audio.size(); at += 441) {
            const std::size_t size = std::min<std::size_t>(441, audio.size() - at);
            heard += watch.push(std::span<const float>(audio).subspan(at, size)).has_value();
        }
    }
    const double cpuSeconds = double(std::clock() - started) / CLOCKS_PER_SEC;
    state.counters["core_%_listening"] = 100 * cpuSeconds / double(state.iterations()) / seconds;
    state.counters["strums_heard"] = heard;
}
BENCHMARK(listening)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
