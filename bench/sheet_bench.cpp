#include "formats/song_file.h"
#include "model/chord_document.h"
#include "sheets/sheets.h"
#include "support/bench_size.h"
#include "support/long_song.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

using namespace strumvale;

namespace {

QString english(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<int>(key.size()));
}

// A chordfile as large as a big library gets: chords spread over the keys,
// a few scales.
void fill(model::ChordDocument& library, long chords) {
    static const char* const kKeys[] = {"C", "D", "E", "F", "G", "A", "B"};
    static const char* const kTabs[] = {"x 3 2 0 1 0", "x 3 5 5 4 3", "8 10 10 9 8 8",
                                        "3 x x x x 12"};
    library.FileName = "big.gtr";
    library.Author = "Bench";
    for (long i = 0; i < chords; ++i)
        library.Chords.Add(model::Chord(
            kKeys[i % 7], std::string(kKeys[i % 7]) + "m" + std::to_string(i), kTabs[i % 4]));
    for (int i = 0; i < 23; ++i) {
        model::Scale scale;
        scale.Name = "Scale " + std::to_string(i);
        scale.setIntervals("1 2 b3 4 5 b6 b7");
        scale.setNotes("C D D# F G G# A#");
        library.Scales.Add(scale);
    }
}

// The whole sheet drawn into a PDF in memory, as gtrtool and Print do it.
void BM_ChordfileSheetPdf(benchmark::State& state) {
    model::ChordDocument library;
    fill(library, state.range(0));
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            benchmark::DoNotOptimize(sheets::printChordfileSheet(writer, library, english));
        }
        bytes = buffer.size();
    }
    state.counters["chords"] = static_cast<double>(state.range(0));
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChordfileSheetPdf)->Arg(300)->Arg(bench::scaled(3000))->Unit(benchmark::kMillisecond);

void BM_PlaylistSheetPdf(benchmark::State& state) {
    model::Playlist playlist;
    for (int i = 0; i < model::Playlist::kCapacity; ++i)
        playlist.append(i % 5 == 4
                            ? model::Playlist::separator()
                            : model::Chord("G", "Gmaj7sus" + std::to_string(i), "3 x 0 2 0 2"));
    playlist.Lyrics = std::string(40, 'x') + "\n" + std::string(4000, 'y');
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        benchmark::DoNotOptimize(
            sheets::printPlaylistSheet(writer, playlist, QStringLiteral("Song"), english));
    }
}
BENCHMARK(BM_PlaylistSheetPdf)->Unit(benchmark::kMillisecond);

// A 300-line song printed whole: every lyric line laid out, its pages.
void BM_LongSongSheetPdf(benchmark::State& state) {
    const model::Song song = formats::readSongs(bench::longSongText()).front();
    std::vector<model::Chord> shapes = {{"G", "G", "3 2 0 0 0 3"}, {"E", "Em7", "0 2 0 0 0 0"}};
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            benchmark::DoNotOptimize(
                sheets::printSongSheet(writer, song, shapes, QStringLiteral("Song"), english));
        }
        bytes = buffer.size();
    }
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_LongSongSheetPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
