#include "sound/yin.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace strumvale::sound {
namespace {

// YIN's absolute threshold: the first dip of the normalised difference below it is taken
// as the period. The paper finds 0.10 to 0.15 best; the upper end keeps noisy notes.
constexpr double kDipThreshold = 0.15;
// Quieter frames are silence (about -54 dBFS), whatever their shape.
constexpr double kSilenceRms = 0.002;
// Dips are searched up to this multiple of the highest frequency so that a tone above the
// range is refused rather than read at its subharmonic.
constexpr double kSearchedAbove = 2;
// A dip at a multiple of the period must be this much deeper to be preferred: a steady
// tone dips as deep at every multiple of its period, so only a clearly deeper one means the
// first dip belonged to a harmonic.
constexpr double kOctaveDipRatio = 0.5;
constexpr double kOctaveDipMargin = 0.002;
// Frames span this many periods of the lowest note: enough for the measurement on the
// low-passed frame to cover a whole period after its margins, little enough to settle soon.
constexpr double kFramePeriods = 3.3;
// The low-pass of the refined measurement, in multiples of the pitch: it keeps mostly the
// fundamental, and the second partial where the fundamental is weak.
constexpr double kRefineWidth = 1.0;
// Lags searched either side of the first estimate are 3 + 1 % of its period, so at most
// this many: the longest period a detector gives (60 Hz below 32 kHz, 27.5 Hz below
// 8 kHz) is under 540 lags.
constexpr int kMaxReach = 3 + 540 / 100;
// YIN's best local estimate looks this many frames back (the paper also looks ahead,
// which a live reading cannot) and this far from the period found there.
constexpr std::size_t kLocalFrames = 2;
constexpr double kLocalRange = 0.2;

} // namespace

Yin::Yin(int sampleRate, double lowest, double highest)
    : sampleRate_(sampleRate), lowest_(lowest), highest_(highest),
      minLag_(std::max(2, int(std::floor(sampleRate / (kSearchedAbove * highest))))),
      maxLag_(int(std::ceil(sampleRate / lowest)) + 1),
      frameSize_(int(std::ceil(kFramePeriods * sampleRate / lowest)) + 4),
      window_(frameSize_ - maxLag_ - 1), fft_(std::bit_ceil(std::size_t(frameSize_))),
      input_(fft_.size()), correlation_(fft_.size()), filtered_(fft_.size()),
      energy_(frameSize_ + 1), difference_(maxLag_ + 2), normalised_(maxLag_ + 2),
      cumulative_(maxLag_ + 2), windowSpectrum_(fft_.bins()), frameSpectrum_(fft_.bins()),
      product_(fft_.bins()) {}

std::optional<FrameEstimate> Yin::analyse(std::span<const float> frame) {
    const int length = frameSize();
    // A cheap microphone's constant offset is no sound: without it a frame of
    // offset alone is silence, and a note over it is the note alone.
    double sum = 0;
    for (int i = 0; i < length; ++i)
        sum += frame[i];
    offset_ = sum / length;
    energy_[0] = 0;
    for (int i = 0; i < length; ++i)
        energy_[i + 1] = energy_[i] + (frame[i] - offset_) * (frame[i] - offset_);
    if (std::sqrt(energy_[length] / length) < kSilenceRms) {
        recent_.clear();
        return std::nullopt;
    }
    differenceFunction(frame);
    normalise();
    auto estimate = choosePeriod();
    if (estimate)
        recent_.push_back({*estimate});
    else
        recent_.push_back({});
    if (recent_.size() > kLocalFrames)
        recent_.pop_front();
    return estimate;
}

void Yin::differenceFunction(std::span<const float> frame) {
    const auto withoutOffset = [this](float sample) { return sample - offset_; };
    std::fill(input_.begin(), input_.end(), 0.0);
    std::transform(frame.begin(), frame.begin() + window_, input_.begin(), withoutOffset);
    fft_.forward(input_, windowSpectrum_);
    std::transform(frame.begin(), frame.begin() + frameSize(), input_.begin(), withoutOffset);
    fft_.forward(input_, frameSpectrum_);
    for (std::size_t k = 0; k < frameSpectrum_.size(); ++k)
        product_[k] = multiply(std::conj(windowSpectrum_[k]), frameSpectrum_[k]);
    // The frame is zero-padded past its end, so no lag up to maxLag_ + 1 wraps around.
    fft_.inverse(product_, correlation_);
    const double windowEnergy = energy_[window_];
    difference_[0] = 0;
    for (int lag = 1; lag <= maxLag_ + 1; ++lag) {
        const double shifted = energy_[lag + window_] - energy_[lag];
        difference_[lag] = std::max(0.0, windowEnergy + shifted - 2 * correlation_[lag]);
    }
}

void Yin::normalise() {
    normalised_[0] = 1;
    double sum = 0;
    for (int lag = 1; lag <= maxLag_ + 1; ++lag) {
        sum += difference_[lag];
        cumulative_[lag] = sum;
        normalised_[lag] = sum > 0 ? difference_[lag] * lag / sum : 1;
    }
}

bool Yin::isDip(int lag) const {
    return normalised_[lag] <= normalised_[lag - 1] && normalised_[lag] <= normalised_[lag + 1];
}

double Yin::depth(int lag) const {
    const double before = normalised_[lag - 1];
    const double at = normalised_[lag];
    const double after = normalised_[lag + 1];
    const double curvature = before - 2 * at + after;
    if (!(curvature > 0))
        return at;
    return std::max(0.0, at - (before - after) * (before - after) / (8 * curvature));
}

double Yin::differenceAt(double lag) const {
    const std::size_t bins = product_.size();
    const double angle = 2 * std::numbers::pi * lag / double(fft_.size());
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    std::complex<double> turn(1, 0);
    double correlation = 0;
    for (std::size_t k = 0; k < bins; ++k) {
        const double weight = k == 0 || k + 1 == bins ? 1 : 2;
        correlation +=
            weight * (product_[k].real() * turn.real() - product_[k].imag() * turn.imag());
        turn = multiply(turn, step);
    }
    correlation /= double(fft_.size());
    const int whole = int(lag);
    const double part = lag - whole;
    auto shifted = [&](int at) { return energy_[at + window_] - energy_[at]; };
    const double energy = (1 - part) * shifted(whole) + part * shifted(whole + 1);
    return energy_[window_] + energy - 2 * correlation;
}

double Yin::fineDepth(int lag) const {
    const double before = normalised_[lag - 1];
    const double at = normalised_[lag];
    const double after = normalised_[lag + 1];
    const double curvature = before - 2 * at + after;
    const double centre =
        lag + (curvature > 0 ? std::clamp(0.5 * (before - after) / curvature, -0.5, 0.5) : 0.0);
    constexpr double kStep = 0.25;
    const double left = differenceAt(centre - kStep);
    const double middle = differenceAt(centre);
    const double right = differenceAt(centre + kStep);
    const double bend = left - 2 * middle + right;
    double lowest = std::min({left, middle, right});
    if (bend > 0 && std::abs(left - right) < 2 * bend)
        lowest = middle - (left - right) * (left - right) / (8 * bend);
    return std::max(0.0, lowest) * lag / cumulative_[lag];
}

int Yin::deepestDip(int from, int to) const {
    from = std::max(from, minLag_);
    to = std::min(to, maxLag_);
    int best = -1;
    for (int lag = from; lag <= to; ++lag)
        if (isDip(lag) && (best < 0 || depth(lag) < depth(best)))
            best = lag;
    return best;
}

std::optional<FrameEstimate> Yin::choosePeriod() {
    // The absolute threshold: the first dip below it, followed to its bottom.
    int lag = -1;
    for (int candidate = minLag_; candidate <= maxLag_; ++candidate) {
        if (normalised_[candidate] < kDipThreshold) {
            while (candidate < maxLag_ && normalised_[candidate + 1] < normalised_[candidate])
                ++candidate;
            lag = candidate;
            break;
        }
    }
    if (lag < 0)
        lag = deepestDip(minLag_, maxLag_);
    if (lag < 0)
        return std::nullopt;
    lag = preferFundamental(lag);
    lag = bestLocalEstimate(lag);
    const double aperiodicity = depth(lag);

    // Interpolated on the raw difference function: d' leans the parabola toward
    // shorter lags, by several cents on high notes.
    while (difference_[lag - 1] < difference_[lag] && lag - 1 > minLag_)
        --lag;
    while (difference_[lag + 1] < difference_[lag] && lag + 1 < maxLag_)
        ++lag;
    const double before = difference_[lag - 1];
    const double at = difference_[lag];
    const double after = difference_[lag + 1];
    const double curvature = before - 2 * at + after;
    const double shift =
        curvature > 0 ? std::clamp(0.5 * (before - after) / curvature, -1.0, 1.0) : 0.0;
    const FrameEstimate estimate{sampleRate_ / refine(lag + shift), aperiodicity};
    if (estimate.aperiodicity > kMaxAperiodicity || estimate.frequency < lowest_ ||
        estimate.frequency > highest_)
        return std::nullopt;
    return estimate;
}

int Yin::preferFundamental(int lag) const {
    for (int steps = 0; steps < 3; ++steps) {
        int deepest = -1;
        double deepestDepth = 0;
        for (int multiple : {2, 3}) {
            const int centre = multiple * lag;
            const int radius = std::max(multiple + 1, centre / 50);
            if (centre - radius > maxLag_)
                break;
            const int dip = deepestDip(centre - radius, centre + radius);
            if (dip < 0)
                continue;
            const double dipDepth = fineDepth(dip);
            if (deepest < 0 || dipDepth < deepestDepth) {
                deepest = dip;
                deepestDepth = dipDepth;
            }
        }
        if (deepest < 0 || deepestDepth >= kOctaveDipRatio * fineDepth(lag) - kOctaveDipMargin)
            return lag;
        lag = deepest;
    }
    return lag;
}

int Yin::bestLocalEstimate(int lag) const {
    const FrameEstimate* best = nullptr;
    for (const auto& earlier : recent_)
        if (earlier.frequency > 0 && (!best || earlier.aperiodicity < best->aperiodicity))
            best = &earlier;
    if (!best || best->aperiodicity >= depth(lag))
        return lag;
    const double period = sampleRate_ / best->frequency;
    if (std::abs(lag - period) <= kLocalRange * period)
        return lag;
    const int dip = deepestDip(int(std::floor(period * (1 - kLocalRange))),
                               int(std::ceil(period * (1 + kLocalRange))));
    return dip > 0 && depth(dip) < kDipThreshold ? dip : lag;
}

double Yin::refine(double period) {
    const double width = kRefineWidth * sampleRate_ / period; // Hz
    const double binWidth = double(sampleRate_) / double(fft_.size());
    for (std::size_t k = 0; k < frameSpectrum_.size(); ++k) {
        const double x = double(k) * binWidth / width;
        product_[k] = x < 8 ? frameSpectrum_[k] * std::exp(-0.5 * x * x) : 0.0;
    }
    fft_.inverse(product_, filtered_);
    // Samples this close to either end of the frame are smeared by the filter.
    const int margin = int(std::ceil(4 * sampleRate_ / (2 * std::numbers::pi * width)));
    const int centre = int(std::lround(period));
    const int reach = 3 + centre / 100;
    const int room = frameSize_ - 2 * margin - (centre + reach) - 1;
    if (room < centre || centre - reach - 1 < 1)
        return period;
    const int window = room / centre * centre;
    std::array<double, 2 * (kMaxReach + 1) + 1> differences{};
    const int from = centre - reach - 1;
    const int to = std::min(centre + reach + 1, from + int(differences.size()) - 1);
    for (int lag = from; lag <= to; ++lag) {
        double sum = 0;
        for (int j = margin; j < margin + window; ++j) {
            const double step = filtered_[j] - filtered_[j + lag];
            sum += step * step;
        }
        differences[lag - from] = sum;
    }
    int best = 1;
    for (int i = 2; i < to - from; ++i)
        if (differences[i] < differences[best])
            best = i;
    const double before = differences[best - 1];
    const double at = differences[best];
    const double after = differences[best + 1];
    const double curvature = before - 2 * at + after;
    if (!(curvature > 0) || before < at || after < at)
        return period;
    // Low-passed to its fundamental, the dip is shaped like 1 - cos(2 pi tau / period).
    // Fitting that shape rather than a parabola is exact for a sinusoid; a parabola
    // would misplace the bottom by cents once a period spans only a few samples.
    const double omega = 2 * std::numbers::pi / period;
    return from + best + std::atan((before - after) / curvature * std::tan(omega / 2)) / omega;
}

std::complex<double> Yin::multiply(std::complex<double> a, std::complex<double> b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

} // namespace strumvale::sound
