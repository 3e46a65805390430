// Start-up of the program's window with the chordfile that ships with it:
// settings, language, "default.gtr", the six pages, the built-in synthesizer,
// up to the moment the window is shown, and the memory the process holds then.
#include "app/main_dialog.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// Kilobytes of a /proc/self/status field (VmRSS, VmHWM).
double statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1));
    }
    return 0;
}

double applicationStartMs = 0;
double firstStartMs = 0;
double firstStartRssMb = 0;

double showWindow() {
    const auto start = std::chrono::steady_clock::now();
    auto window = std::make_unique<strumvale::app::MainDialog>();
    window->show();
    QApplication::processEvents();
    const auto shown = std::chrono::steady_clock::now();
    if (firstStartMs == 0) {
        firstStartMs = std::chrono::duration<double, std::milli>(shown - start).count();
        firstStartRssMb = statusKilobytes("VmRSS") / 1024;
    }
    window.reset();
    return std::chrono::duration<double>(shown - start).count();
}

void BM_StartUpToShownWindow(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(showWindow());
    state.counters["qt_application_ms"] = applicationStartMs;
    state.counters["first_start_ms"] = firstStartMs;
    state.counters["rss_at_first_window_MB"] = firstStartRssMb;
    state.counters["peak_rss_MB"] = statusKilobytes("VmHWM") / 1024;
}
BENCHMARK(BM_StartUpToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The program runs where its files are, as the launcher starts it; its
    // settings file is written into a scratch copy of that folder.
    const fs::path stage = STRUMVALE_STAGE_DIR;
    const fs::path work = fs::temp_directory_path() / "strumvale-startup-bench";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(stage / "default.gtr", work / "default.gtr");
    fs::current_path(work);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The synthesizer starts as in the program, rendering into nothing.
    ::setenv("STRUMVALE_AUDIO_DRIVER", "file", 0);
    ::setenv("STRUMVALE_AUDIO_FILE", "/dev/null", 0);

    const auto beforeApplication = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    applicationStartMs = std::chrono::duration<double, std::milli>(
                             std::chrono::steady_clock::now() - beforeApplication)
                             .count();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(stage);
    fs::remove_all(work);
    return 0;
}
