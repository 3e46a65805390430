#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/staff_view.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace strumvale;

namespace {

// One full paint per iteration, as the paint handler does it: a fresh painter on
// the target, every label drawn.
template <typename View> void paintInto(View& view, QImage& image) {
    QPainter painter(&image);
    view.paint(painter);
}

void setUpFretboard(fretboard::FretboardView& view) {
    fretboard::FretboardStyle style;
    style.whiteBackground = true;
    style.allFrets = true;
    view.setStyle(style);
    view.setTuning(model::Tuning::standard());
    view.setNoteLabels(true);
}

void BM_FretboardPaintScaleAllLabels(benchmark::State& state) {
    fretboard::FretboardView view;
    setUpFretboard(view);
    view.setChordMode(false);
    model::Scale scale;
    scale.setNotes("C,D,E,F,G,A,B");
    scale.setIntervals("1,2,3,4,5,6,7");
    view.setScale(scale, 2);
    QImage image(fretboard::FretboardView::kWidth, fretboard::FretboardView::kHeight,
                 QImage::Format_RGB32);
    for (auto _ : state) {
        paintInto(view, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["labels"] = static_cast<double>(view.drawnLabels().size());
}
BENCHMARK(BM_FretboardPaintScaleAllLabels)->Unit(benchmark::kMicrosecond);

void BM_FretboardPaintChordAllLabels(benchmark::State& state) {
    fretboard::FretboardView view;
    setUpFretboard(view);
    view.setChord({"E", "Em", "0 2 2 1 0 0"});
    QImage image(fretboard::FretboardView::kWidth, fretboard::FretboardView::kHeight,
                 QImage::Format_RGB32);
    for (auto _ : state) {
        paintInto(view, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["labels"] = static_cast<double>(view.drawnLabels().size());
}
BENCHMARK(BM_FretboardPaintChordAllLabels)->Unit(benchmark::kMicrosecond);

void BM_StaffPaintFull(benchmark::State& state) {
    fretboard::StaffView view;
    for (int i = 0; i < fretboard::StaffView::kColumns; ++i) {
        view.appendChord(i % 9 == 8 ? model::Playlist::separator()
                                    : model::Chord("C", "C", "x 3 2 0 1 0"));
    }
    QImage image(fretboard::StaffView::kWidth, fretboard::StaffView::kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        paintInto(view, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["labels"] = static_cast<double>(view.drawnLabels().size());
}
BENCHMARK(BM_StaffPaintFull)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Widgets need an application; the offscreen platform keeps this headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
