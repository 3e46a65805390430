#include "formats/song_file.h"
#include "formats/song_sheet_text.h"
#include "library/song_shapes.h"
#include "model/tuning_notes.h"
#include "support/long_song.h"
#include "theory/song_transposition.h"

#include <benchmark/benchmark.h>

using namespace strumvale;

namespace {

// What opening a 300-line song costs before anything is drawn.
void BM_ReadLongSong(benchmark::State& state) {
    const std::string text = bench::longSongText();
    for (auto _ : state)
        benchmark::DoNotOptimize(formats::readSongs(text));
    state.counters["kB"] = static_cast<double>(text.size()) / 1024.0;
}
BENCHMARK(BM_ReadLongSong)->Unit(benchmark::kMicrosecond);

// One click of Transpose +, and a capo moved.
void BM_TransposeLongSong(benchmark::State& state) {
    const model::Song song = formats::readSongs(bench::longSongText()).front();
    for (auto _ : state)
        benchmark::DoNotOptimize(theory::withCapo(theory::transposed(song, 3), 2));
    state.counters["chords"] = static_cast<double>(model::chordSequence(song).size());
}
BENCHMARK(BM_TransposeLongSong)->Unit(benchmark::kMicrosecond);

// The shapes of its chords (the finder for those the library lacks), the
// text sheet, and writing it back.
void BM_ShapesTextAndWrite(benchmark::State& state) {
    const model::Song song = formats::readSongs(bench::longSongText()).front();
    for (auto _ : state) {
        benchmark::DoNotOptimize(library::songShapes(song, {}, model::kStandardTuningNotes));
        benchmark::DoNotOptimize(formats::songSheetText(song));
        benchmark::DoNotOptimize(formats::writeSong(song));
    }
}
BENCHMARK(BM_ShapesTextAndWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
