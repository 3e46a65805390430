#include "sound/strum_spectrum.h"

#include "sound/fft.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace strumvale::sound {

namespace {

constexpr double kFrameSeconds = 0.005;
// A strum rises this far over the quiet before it and over the room's floor.
constexpr double kRiseDb = 12;
// ... and is still this loud over the floor a quarter of a second later.
constexpr double kRingingDb = 10;
constexpr double kRingingSeconds = 0.25;
// A click (a metronome's wood block from the speakers) or a knock falls this
// far from its peak within 30 to 55 ms; a strum, still gaining strings, does not.
constexpr double kTransientDropDb = 15;
constexpr std::size_t kPeakFrames = 3;    // the first 15 ms
constexpr std::size_t kSettledFrom = 6;   // 30 ms after the rise
constexpr std::size_t kSettledFrames = 5; // to 55 ms
constexpr double kQuietestDbfs = -55;

double levelDb(double meanSquare) {
    return 10 * std::log10(meanSquare + 1e-14);
}

std::vector<double> frameLevels(std::span<const float> samples, int frame) {
    std::vector<double> levels;
    for (std::size_t start = 0; start + static_cast<std::size_t>(frame) <= samples.size();
         start += static_cast<std::size_t>(frame)) {
        double sum = 0;
        for (int i = 0; i < frame; ++i) {
            const double value = samples[start + static_cast<std::size_t>(i)];
            sum += std::isfinite(value) ? value * value : 0;
        }
        levels.push_back(levelDb(sum / frame));
    }
    return levels;
}

std::size_t powerOfTwoNear(double samples) {
    std::size_t size = 1024;
    while (size * 3 / 2 < samples)
        size *= 2;
    return size;
}

} // namespace

std::optional<double> findAttack(std::span<const float> samples, int sampleRate) {
    const int frame = std::max(1, static_cast<int>(sampleRate * kFrameSeconds));
    const std::vector<double> levels = frameLevels(samples, frame);
    if (levels.size() < 8)
        return std::nullopt;
    // The room's floor: the quietest tenth of the frames, so that a click in
    // the short quiet before a strum does not lift it to the strum's level.
    std::vector<double> sorted = levels;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 10, sorted.end());
    const double floor = sorted[sorted.size() / 10];
    const std::size_t ringing = static_cast<std::size_t>(kRingingSeconds / kFrameSeconds);
    const std::size_t before = static_cast<std::size_t>(0.05 / kFrameSeconds);
    for (std::size_t i = 1; i + ringing < levels.size(); ++i) {
        const std::size_t from = i > before ? i - before : 0;
        double quiet = 0;
        for (std::size_t j = from; j < i; ++j)
            quiet += std::pow(10.0, levels[j] / 10);
        quiet = levelDb(quiet / static_cast<double>(i - from));
        if (levels[i] < kQuietestDbfs || levels[i] < floor + kRiseDb || levels[i] < quiet + kRiseDb)
            continue;
        // A click just before a strum would otherwise be taken for its
        // attack: the strum rings on from the click's rise a quarter second on.
        const double peak =
            *std::max_element(levels.begin() + static_cast<std::ptrdiff_t>(i),
                              levels.begin() + static_cast<std::ptrdiff_t>(i + kPeakFrames));
        const double settled = *std::max_element(
            levels.begin() + static_cast<std::ptrdiff_t>(i + kSettledFrom),
            levels.begin() + static_cast<std::ptrdiff_t>(i + kSettledFrom + kSettledFrames));
        if (settled < peak - kTransientDropDb)
            continue;
        // A knock or a click is gone before the chord would have settled.
        double later = std::numeric_limits<double>::lowest();
        for (std::size_t j = i + ringing - 4; j < i + ringing; ++j)
            later = std::max(later, levels[j]);
        if (later < floor + kRingingDb)
            continue;
        return static_cast<double>(i) * frame / sampleRate;
    }
    return std::nullopt;
}

StrumSpectrum strumSpectrum(std::span<const float> samples, int sampleRate, double attack) {
    StrumSpectrum result;
    result.attack = attack;
    const std::size_t length = powerOfTwoNear(0.35 * sampleRate);
    const std::size_t start = static_cast<std::size_t>((attack + 0.06) * sampleRate);
    // Zero-padded twice over, so that peaks are found between bins.
    const std::size_t size = length * 2;
    std::vector<double> frame(size, 0.0);
    for (std::size_t i = 0; i < length && start + i < samples.size(); ++i) {
        const double value = samples[start + i];
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (length - 1));
        frame[i] = std::isfinite(value) ? value * hann : 0;
    }
    RealFft fft(size);
    std::vector<std::complex<double>> spectrum(fft.bins());
    fft.forward(frame, spectrum);
    std::vector<double> db(spectrum.size());
    for (std::size_t k = 0; k < spectrum.size(); ++k)
        db[k] = 20 * std::log10(std::abs(spectrum[k]) + 1e-12);

    // The floor around each bin: a low quantile over about 40 Hz either side,
    // taken on a coarse grid and held between its points.
    const double binHz = static_cast<double>(sampleRate) / static_cast<double>(size);
    const std::size_t half = std::max<std::size_t>(8, static_cast<std::size_t>(40 / binHz));
    const std::size_t step = std::max<std::size_t>(1, half / 4);
    std::vector<double> floor(db.size());
    std::vector<double> window;
    for (std::size_t centre = 0; centre < db.size(); centre += step) {
        const std::size_t from = centre > half ? centre - half : 0;
        const std::size_t to = std::min(db.size(), centre + half + 1);
        window.assign(db.begin() + static_cast<std::ptrdiff_t>(from),
                      db.begin() + static_cast<std::ptrdiff_t>(to));
        std::nth_element(window.begin(), window.begin() + window.size() / 3, window.end());
        const double value = window[window.size() / 3];
        for (std::size_t k = centre; k < std::min(db.size(), centre + step); ++k)
            floor[k] = value;
    }
    const double loudest = *std::max_element(db.begin(), db.end());
    const std::size_t lowest = static_cast<std::size_t>(25 / binHz);
    const std::size_t highest = std::min(db.size() - 2, static_cast<std::size_t>(5000 / binHz));
    for (std::size_t k = std::max<std::size_t>(lowest, 2); k < highest; ++k) {
        if (db[k] < db[k - 1] || db[k] < db[k + 1] || db[k] < db[k - 2] || db[k] < db[k + 2])
            continue;
        const double above = db[k] - floor[k];
        if (above < 9 || db[k] < loudest - 70)
            continue;
        // The top of a parabola through the peak and its neighbours.
        const double a = db[k - 1], b = db[k], c = db[k + 1];
        const double denominator = a - 2 * b + c;
        const double offset = denominator == 0 ? 0 : 0.5 * (a - c) / denominator;
        result.peaks.push_back({(static_cast<double>(k) + offset) * binHz, above});
        result.strongest = std::max(result.strongest, above);
    }
    return result;
}

} // namespace strumvale::sound
