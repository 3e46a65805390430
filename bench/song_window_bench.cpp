// The song window with a 300-line song: opened, transposed a step, and drawn.

#include "formats/song_file.h"
#include "library/chord_library.h"
#include "model/tuning_notes.h"
#include "songs/song_sheet_view.h"
#include "songs/song_window.h"
#include "songs/song_window_host.h"
#include "sound/live_pattern.h"
#include "support/long_song.h"
#include "uikit/text.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using namespace strumvale;

class StillDrums final : public sound::LivePattern {
public:
    bool hit(int, int) override { return false; }
    int instrument(int) override { return 0; }
    int volume(int) override { return 100; }
    int tempo() override { return 480; }
};

class BenchHost final : public songs::SongWindowHost {
public:
    BenchHost() {
        library_.LoadLanguage(model::kBuiltInLanguage);
        library_.Reset();
    }
    ChordLibrary& library() override { return library_; }
    QString translate(std::string_view key) const override {
        return uikit::toQString(library_.Translate(key));
    }
    std::string songTuningNotes() override { return std::string(model::kStandardTuningNotes); }
    sound::LivePattern& drummerPattern() override { return drums_; }
    bool drummerPatternLoaded() override { return false; }
    bool refuseWhilePlaying(const QString&) override { return false; }
    bool replacePlaylist(const model::Playlist&) override { return true; }
    void practiseChords(const std::vector<std::string>&) override {}

private:
    ChordLibrary library_{{.settingsFile = false, .openMidiDevice = false}};
    StillDrums drums_;
};

const std::vector<model::Song>& longSong() {
    static const std::vector<model::Song> songs = formats::readSongs(bench::longSongText());
    return songs;
}

// What opening it costs: the shapes found, the strip and the whole sheet laid out.
void BM_OpenLongSong(benchmark::State& state) {
    BenchHost host;
    songs::SongWindow window(host);
    window.resize(720, 640);
    for (auto _ : state)
        window.showSongs(longSong(), QStringLiteral("long.cho"));
    state.counters["sheet_px"] = window.sheetView().minimumHeight();
}
BENCHMARK(BM_OpenLongSong)->Unit(benchmark::kMillisecond);

// One press of Transpose +: the song moved, its shapes found again, all redrawn.
void BM_TransposeLongSong(benchmark::State& state) {
    BenchHost host;
    songs::SongWindow window(host);
    window.resize(720, 640);
    window.showSongs(longSong(), QStringLiteral("long.cho"));
    for (auto _ : state)
        window.transposeBy(1);
}
BENCHMARK(BM_TransposeLongSong)->Unit(benchmark::kMillisecond);

// A screenful of the sheet painted, as scrolling paints it, and the whole sheet.
void BM_PaintLongSong(benchmark::State& state) {
    songs::SongSheetView view;
    view.resize(700, 600);
    view.showSong(
        longSong().front(),
        [](std::string_view key) { return QString::fromLatin1(key.data(), key.size()); }, 12);
    const bool whole = state.range(0) != 0;
    const QRect area = whole ? QRect(0, 0, view.width(), view.minimumHeight())
                             : QRect(0, view.minimumHeight() / 2, view.width(), 600);
    view.resize(700, view.minimumHeight());
    QImage image(area.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&image, QPoint(), QRegion(area));
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["px_high"] = area.height();
}
BENCHMARK(BM_PaintLongSong)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
