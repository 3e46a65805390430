#pragma once

#include "sound/fft.h"

#include <complex>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace strumvale::sound {

// What one frame tells of the pitch.
struct FrameEstimate {
    double frequency = 0;
    double aperiodicity = 1; // YIN's normalised dip: 0 for a perfectly periodic frame
};

// One frame of YIN (de Cheveigne & Kawahara 2002): the difference function, its
// cumulative mean normalisation, the absolute threshold, parabolic interpolation and the
// best local estimate, with a check against taking a harmonic for the fundamental.
class Yin {
public:
    // Frames whose chosen dip is shallower are aperiodic: noise, a strummed chord, a scrape.
    static constexpr double kMaxAperiodicity = 0.3;

    // Reads lowest..highest Hz; frames span a few periods of the lowest.
    Yin(int sampleRate, double lowest, double highest);

    int frameSize() const { return frameSize_; }

    std::optional<FrameEstimate> analyse(std::span<const float> frame);

private:
    // d(tau) = sum over the window of (x[j] - x[j + tau])^2 expands into the window's energy,
    // the energy of the window shifted by tau (both cheap from running sums) and twice the
    // cross-correlation. Directly the correlation costs window x lags products, some 800,000
    // a frame at 48 kHz; through the FFT it costs three transforms of 2048 points, about
    // thirty times less, which keeps the detector a small load on the audio thread.
    void differenceFunction(std::span<const float> frame);

    // d'(tau) = d(tau) / mean of d(1..tau): lags shorter than a period no longer dip toward
    // zero, and the dip depth becomes a measure of aperiodicity.
    void normalise();

    bool isDip(int lag) const;

    // The bottom of the parabola through a dip and its neighbours: on high notes a period
    // falls between lags, and the sampled depth alone would favour multiples of the period
    // that happen to land nearer a whole lag.
    double depth(int lag) const;

    // The difference function between lags, from the correlation's spectrum (still in
    // product_): the sum of its bins is the band-limited interpolation of the correlation.
    double differenceAt(double lag) const;

    // The depth of a dip of d' between lags: short periods fall between lags, where the
    // sampled depth of a sharp dip, even through a parabola, would favour multiples of
    // the period that happen to land nearer a whole lag. Found on a parabola through
    // points a quarter lag apart, close enough for a dip of a dozen partials.
    double fineDepth(int lag) const;

    // The deepest dip of d' within lags [from, to], or -1.
    int deepestDip(int from, int to) const;

    std::optional<FrameEstimate> choosePeriod();

    // On low strings the second (or third) harmonic is often stronger than the fundamental,
    // and its period dips first. The fundamental's period then dips clearly deeper, being a
    // period of every partial, while a true period dips about as deep at its multiples.
    int preferFundamental(int lag) const;

    // YIN's last step: when a recent frame was more periodic and found a different period,
    // look for a dip near that period before trusting this frame's.
    int bestLocalEstimate(int lag) const;

    // The difference function weighs each partial by its power times its number squared, so
    // on a bright string the upper partials pull the period: stretched by inharmonicity
    // (B = 1e-4 puts partial 10 some 9 cents sharp) they read the note several cents sharp.
    // The period is therefore measured again on the frame low-passed to its lowest
    // partials, by a Gaussian whose impulse response stays short against the period, and
    // over a whole number of periods, where the partials' cross terms cancel.
    double refine(double period);

    // Written out: std::complex's operator* guards against infinities at some cost.
    static std::complex<double> multiply(std::complex<double> a, std::complex<double> b);

    int sampleRate_;
    double lowest_;
    double highest_;
    int minLag_;
    int maxLag_;
    int frameSize_;
    int window_;
    RealFft fft_;
    double offset_ = 0; // the frame's mean, taken out of it
    std::vector<double> input_;
    std::vector<double> correlation_;
    std::vector<double> filtered_;
    std::vector<double> energy_; // running sum of squares: energy_[i] of samples before i
    std::vector<double> difference_;
    std::vector<double> normalised_;
    std::vector<double> cumulative_; // of the difference function over lags 1..lag
    std::vector<std::complex<double>> windowSpectrum_;
    std::vector<std::complex<double>> frameSpectrum_;
    std::vector<std::complex<double>> product_;
    std::deque<FrameEstimate> recent_;
};

} // namespace strumvale::sound
