#include "model/chord_document.h"
#include "support/bench_size.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace strumvale::model;

namespace {

const char* const kRoots[] = {"A", "A#", "B", "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#"};

ChordDocument randomLibrary(long count) {
    ChordDocument library;
    std::mt19937 random(42);
    for (long i = 0; i < count; ++i) {
        const char* root = kRoots[random() % 12];
        library.Chords.Add({root, std::string(root) + "m7 #" + std::to_string(i),
                            "x " + std::to_string(random() % 13) + " 2 0 1 0"});
    }
    return library;
}

void SortChordsInRandomKeyOrder(benchmark::State& state) {
    long count = strumvale::bench::scaled(state.range(0));
    const ChordDocument unsorted = randomLibrary(count);
    long passes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ChordDocument library = unsorted;
        state.ResumeTiming();
        passes = 0;
        library.SortChords([&] { ++passes; });
        benchmark::DoNotOptimize(library.Chords.Count());
    }
    state.counters["chords"] = static_cast<double>(count);
    state.counters["passes"] = static_cast<double>(passes);
}
BENCHMARK(SortChordsInRandomKeyOrder)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void SearchChords(benchmark::State& state) {
    long count = strumvale::bench::scaled(state.range(0));
    ChordDocument library = randomLibrary(count);
    for (auto _ : state) {
        library.searchChords("X 3 2 0 1 0");
        benchmark::DoNotOptimize(library.SearchResults.Count());
    }
    state.counters["chords"] = static_cast<double>(count);
    state.counters["found"] = static_cast<double>(library.SearchResults.Count());
}
BENCHMARK(SearchChords)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
