#include "sound/chord_hearing.h"
#include "support/bench_size.h"
#include "support/strum_trials.h"

#include <benchmark/benchmark.h>
#include <cstdio>
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

} // namespace

BENCHMARK_MAIN();
