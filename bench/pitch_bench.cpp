#include "sound/pitch_detector.h"
#include "support/bench_size.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <numbers>
#include <vector>

using namespace strumvale;

namespace {

constexpr int kRate = 44100;

// A plucked string with slightly stretched partials, highs dying faster, and its
// fundamental at weakFundamental of its plucked level.
std::vector<float> pluck(double frequency, double weakFundamental, double seconds) {
    std::vector<double> signal(std::size_t(seconds * kRate), 0.0);
    for (int n = 1; n * frequency < 8000; ++n) {
        const double partial = n * frequency * std::sqrt(1 + 1e-4 * n * n);
        const double amplitude = (n == 1 ? weakFundamental : 1.0) / n;
        const double decay = 0.5 + 0.1 * n;
        for (std::size_t i = 0; i < signal.size(); ++i) {
            const double t = double(i) / kRate;
            signal[i] +=
                amplitude * std::exp(-decay * t) * std::sin(2 * std::numbers::pi * partial * t + n);
        }
    }
    double peak = 0;
    for (double value : signal)
        peak = std::max(peak, std::abs(value));
    std::vector<float> samples;
    for (double value : signal)
        samples.push_back(float(0.5 * value / peak));
    return samples;
}

// The detector's load on the audio thread: time per second of audio, in percent of one core.
void DetectorLoad(benchmark::State& state) {
    const double seconds = bench::shortMode() ? 0.25 : 2;
    const auto audio = pluck(110, 1, seconds);
    constexpr std::size_t kBlock = 512;
    sound::PitchDetector detector(kRate);
    // CPU time, which other loads on a shared machine do not inflate.
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        for (std::size_t at = 0; at < audio.size(); at += kBlock) {
            detector.push(std::span(audio).subspan(at, std::min(kBlock, audio.size() - at)));
            benchmark::DoNotOptimize(detector.reading());
        }
    }
    const double busy = double(std::clock() - start) / CLOCKS_PER_SEC;
    state.counters["percent_of_core"] = 100 * busy / (seconds * double(state.iterations()));
}
BENCHMARK(DetectorLoad)->Unit(benchmark::kMillisecond);

// Audio from a string's attack to the first reading of its note, in ms.
void SettleTime(benchmark::State& state, int midiNote, double weakFundamental) {
    const double frequency = 440 * std::pow(2.0, (midiNote - 69) / 12.0);
    const auto audio = pluck(frequency, weakFundamental, 0.3);
    constexpr std::size_t kBlock = 64;
    std::size_t settled = audio.size();
    for (auto _ : state) {
        sound::PitchDetector detector(kRate);
        settled = audio.size();
        for (std::size_t at = 0; at < audio.size(); at += kBlock) {
            detector.push(std::span(audio).subspan(at, std::min(kBlock, audio.size() - at)));
            const auto reading = detector.reading();
            if (reading && reading->midiNote == midiNote) {
                settled = at + kBlock;
                break;
            }
        }
    }
    state.counters["settle_ms"] = 1000.0 * double(settled) / kRate;
}
BENCHMARK_CAPTURE(SettleTime, low_e_weak_fundamental, 40, 0.2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SettleTime, high_e5, 88, 1.0)->Unit(benchmark::kMillisecond);
// Drop A and a bass's low E and A: read over the long frame.
BENCHMARK_CAPTURE(SettleTime, drop_a_55_hz, 33, 0.2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SettleTime, bass_e_41_hz, 28, 0.2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SettleTime, bass_a_27_5_hz, 21, 0.2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
