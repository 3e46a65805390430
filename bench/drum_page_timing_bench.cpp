#include "library/chord_library.h"
#include "pages/drummer_page.h"
#include "pages/page_host.h"
#include "pages/pattern_grid_editor.h"
#include "resources/templates/drummer_page.h"
#include "support/bench_size.h"
#include "support/midi_timing.h"
#include "uikit/dialog_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace strumvale;
using bench::Clock;
using bench::TimingRecorder;

namespace {

// The Drummer page alone, as the main window holds it.
class PageOnly final : public pages::PageHost {
public:
    ChordLibrary& library() override { return library_; }
    void onChordsChanged() override {}
    void onScalesChanged() override {}
    void onTuningsChanged() override {}
    void onDrumPatternsChanged() override {}
    void closeChordfile() override {}
    void addChordToPlaylist(const model::Chord&, std::string_view) override {}
    void fillTuningCombo(QComboBox& combo) override { combo.clear(); }
    void applySettings() override {}
    sound::LivePattern& drummerPattern() override { return page->livePattern(); }
    bool drummerPatternLoaded() override { return page->hasPattern(); }
    bool refuseWhilePlaying(const QString&) override { return false; }

    pages::DrummerPage* page = nullptr;

private:
    ChordLibrary library_;
};

// Steps sounded from the grid editor's cells, with the window's event loop
// taking the worker's step marks meanwhile: each hit against the first plus
// k steps, at 595 bpm (100 ms a step).
void DrumPageStepError(benchmark::State& state) {
    using Id = resources::DrummerId;
    auto recorder = std::make_shared<TimingRecorder>();
    platform::ScopedMidiProviders scope({recorder});
    PageOnly host;
    host.library().ChordPlayer.setup(0, 0, 0, 127);
    pages::DrummerPage page(host);
    host.page = &page;
    for (int step = 1; step <= pages::PatternGridEditor::kSteps; ++step)
        page.gridEditor().toggle(step, 1);
    uikit::control<QLineEdit>(page, Id::Tempo)->setText("595");
    uikit::control<QCheckBox>(page, Id::LoopPattern)->setChecked(true);
    const std::size_t steps = bench::shortMode() ? 3 : 64;
    const auto step = std::chrono::milliseconds(100);
    std::vector<double> errors;
    for (auto _ : state) {
        recorder->take();
        uikit::control<QPushButton>(page, Id::Play)->click();
        std::vector<TimingRecorder::Sent> sent;
        while (bench::withStatus(sent, 0x99).size() < steps) {
            // Idle between the step marks, as the window is.
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            auto more = recorder->take();
            sent.insert(sent.end(), more.begin(), more.end());
        }
        uikit::control<QPushButton>(page, Id::Play)->click();
        host.library().ChordPlayer.waitUntilIdle();
        QApplication::processEvents();
        auto hits = bench::withStatus(sent, 0x99);
        for (std::size_t k = 1; k < hits.size(); ++k)
            errors.push_back(std::abs(bench::microseconds(hits[k].at - (hits[0].at + step * k))));
    }
    bench::reportErrors(state, "drum_page", errors);
}
BENCHMARK(DrumPageStepError)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Widgets need an application; the offscreen platform keeps this headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
