// Building a chordfile document element by element must stay linear in its size.

#include "chord_document.h"

#include <benchmark/benchmark.h>

namespace {

void BM_BuildChordDocument(benchmark::State& state) {
    const auto chords = static_cast<int>(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        strumvale::xml::XmlDocument doc = strumvale::bench::buildChordDocument(chords);
        size = doc.GetText().size();
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * chords);
    state.counters["bytes"] = static_cast<double>(size);
}

void chordCounts(benchmark::internal::Benchmark* bench) {
    if (strumvale::bench::shortMode())
        bench->Arg(1000)->Arg(10000);
    else
        bench->Arg(10000)->Arg(100000);
}
BENCHMARK(BM_BuildChordDocument)->Apply(chordCounts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
