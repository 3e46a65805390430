// Parse throughput of a large chordfile document, beside pugixml on the same text.

#include "chord_document.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

namespace {

const std::string& chordText() {
    // About 10 MB normally; 100 kB for the quick run under ctest.
    static const std::string text =
        strumvale::bench::buildChordDocument(strumvale::bench::shortMode() ? 1200 : 120000)
            .GetText();
    return text;
}

void BM_XmlDocumentSetText(benchmark::State& state) {
    const std::string& text = chordText();
    strumvale::xml::XmlDocument doc;
    for (auto _ : state) {
        bool ok = doc.SetText(text);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("chord document did not parse");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["elements"] = doc.FreeCount() - 1;
    state.counters["text_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_XmlDocumentSetText)->Unit(benchmark::kMillisecond);

void BM_PugixmlLoadBuffer(benchmark::State& state) {
    const std::string& text = chordText();
    for (auto _ : state) {
        pugi::xml_document doc;
        pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(result);
        if (!result)
            state.SkipWithError("pugixml refused the chord document");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PugixmlLoadBuffer)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
