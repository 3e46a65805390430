#include "model/tuning_notes.h"
#include "theory/chord_naming.h"
#include "theory/voicings.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace strumvale;

namespace {

constexpr std::string_view kStandard = model::kStandardTuningNotes;

// Naming what a fingering sounds, as on every fret click.
void NameFingering(benchmark::State& state) {
    const char* const tabs[] = {"x 3 2 0 1 0", "x 3 2 2 1 3", "3 2 0 0 0 1", "x 2 1 2 1 2",
                                "8 10 10 9 8 8"};
    std::size_t names = 0;
    for (auto _ : state) {
        for (const char* tab : tabs)
            names += theory::nameFingering(tab, kStandard).size();
        benchmark::DoNotOptimize(names);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations()) * 5);
}
BENCHMARK(NameFingering)->Unit(benchmark::kMicrosecond);

// All voicings of one symbol up to fret 12 (the default) or 15, as on every
// keystroke of a search: a simple chord and a five-tone one.
void VoicingsOfASymbol(benchmark::State& state) {
    const char* const name = state.range(0) == 0 ? "C" : "C13";
    const theory::ChordSymbol symbol = *theory::parseChordSymbol(name);
    const theory::VoicingLimits limits{20, static_cast<int>(state.range(1))};
    std::size_t found = 0;
    for (auto _ : state) {
        found = theory::findVoicings(symbol, kStandard, limits).size();
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::string(name) + ", fret " + std::to_string(state.range(1)));
    state.counters["voicings"] = static_cast<double>(found);
}
BENCHMARK(VoicingsOfASymbol)
    ->Args({0, 12})
    ->Args({1, 12})
    ->Args({1, 15})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
