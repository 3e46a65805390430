#include "sound/pitch_detector.h"

#include "sound/fft.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <deque>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace strumvale::sound {

namespace {

// YIN's absolute threshold: the first dip of the normalised difference below it is taken
// as the period. The paper finds 0.10 to 0.15 best; the upper end keeps noisy notes.
constexpr double kDipThreshold = 0.15;
// Frames whose chosen dip is shallower are aperiodic: noise, a strummed chord, a scrape.
constexpr double kMaxAperiodicity = 0.3;
// Quieter frames are silence (about -54 dBFS), whatever their shape.
constexpr double kSilenceRms = 0.002;
// Dips are searched up to this frequency so that a tone above the range is refused rather
// than read at its subharmonic.
constexpr double kHighestSearched = 2 * PitchDetector::kHighestFrequency;
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
// this many: below 32 kHz, the longest period (60 Hz) is under 540 lags.
constexpr int kMaxReach = 3 + 540 / 100;
// A note has settled after this many frames in a row agree within kAgreeCents.
constexpr std::size_t kSettleFrames = 3;
constexpr double kAgreeCents = 8;
// The reading is smoothed over the latest frames of a note (about 120 ms), leaving out
// frames further than kSmoothCents from their median, such as those straddling the attack.
constexpr std::size_t kSmoothFrames = 12;
constexpr double kSmoothCents = 3;
// Frames without a pitch before a note is forgotten; after fewer, it comes back at once.
constexpr int kForgetAfterMisses = 3;
// YIN's best local estimate looks this many frames back (the paper also looks ahead,
// which a live reading cannot) and this far from the period found there.
constexpr std::size_t kLocalFrames = 2;
constexpr double kLocalRange = 0.2;
// A frame whose oldest quarter is this much quieter (in energy) than its newest holds an
// attack: the silence or the old note before it bends the period found, by over ten cents.
constexpr double kAttackEnergyRatio = 1.0 / 9;

double centsBetween(double frequency, double reference) {
    return 1200 * std::log2(frequency / reference);
}

struct FrameEstimate {
    double frequency = 0;
    double aperiodicity = 1; // YIN's normalised dip: 0 for a perfectly periodic frame
};

// One frame of YIN (de Cheveigne & Kawahara 2002): the difference function, its
// cumulative mean normalisation, the absolute threshold, parabolic interpolation and the
// best local estimate, with a check against taking a harmonic for the fundamental.
class Yin {
public:
    explicit Yin(int sampleRate)
        : sampleRate_(sampleRate),
          minLag_(std::max(2, int(std::floor(sampleRate / kHighestSearched)))),
          maxLag_(int(std::ceil(sampleRate / PitchDetector::kLowestFrequency)) + 1),
          frameSize_(int(std::ceil(kFramePeriods * sampleRate / PitchDetector::kLowestFrequency)) +
                     4),
          window_(frameSize_ - maxLag_ - 1), fft_(std::bit_ceil(std::size_t(frameSize_))),
          input_(fft_.size()), correlation_(fft_.size()), filtered_(fft_.size()),
          energy_(frameSize_ + 1), difference_(maxLag_ + 2), normalised_(maxLag_ + 2),
          cumulative_(maxLag_ + 2), windowSpectrum_(fft_.bins()), frameSpectrum_(fft_.bins()),
          product_(fft_.bins()) {}

    int frameSize() const { return frameSize_; }

    void forget() { recent_.clear(); }

    std::optional<FrameEstimate> analyse(std::span<const float> frame) {
        const int length = frameSize();
        energy_[0] = 0;
        for (int i = 0; i < length; ++i)
            energy_[i + 1] = energy_[i] + double(frame[i]) * frame[i];
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

private:
    // d(tau) = sum over the window of (x[j] - x[j + tau])^2 expands into the window's energy,
    // the energy of the window shifted by tau (both cheap from running sums) and twice the
    // cross-correlation. Directly the correlation costs window x lags products, some 800,000
    // a frame at 48 kHz; through the FFT it costs three transforms of 2048 points, about
    // thirty times less, which keeps the detector a small load on the audio thread.
    void differenceFunction(std::span<const float> frame) {
        std::fill(input_.begin(), input_.end(), 0.0);
        std::copy_n(frame.begin(), window_, input_.begin());
        fft_.forward(input_, windowSpectrum_);
        std::copy_n(frame.begin(), frameSize(), input_.begin());
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

    // d'(tau) = d(tau) / mean of d(1..tau): lags shorter than a period no longer dip toward
    // zero, and the dip depth becomes a measure of aperiodicity.
    void normalise() {
        normalised_[0] = 1;
        double sum = 0;
        for (int lag = 1; lag <= maxLag_ + 1; ++lag) {
            sum += difference_[lag];
            cumulative_[lag] = sum;
            normalised_[lag] = sum > 0 ? difference_[lag] * lag / sum : 1;
        }
    }

    bool isDip(int lag) const {
        return normalised_[lag] <= normalised_[lag - 1] && normalised_[lag] <= normalised_[lag + 1];
    }

    // The bottom of the parabola through a dip and its neighbours: on high notes a period
    // falls between lags, and the sampled depth alone would favour multiples of the period
    // that happen to land nearer a whole lag.
    double depth(int lag) const {
        const double before = normalised_[lag - 1];
        const double at = normalised_[lag];
        const double after = normalised_[lag + 1];
        const double curvature = before - 2 * at + after;
        if (!(curvature > 0))
            return at;
        return std::max(0.0, at - (before - after) * (before - after) / (8 * curvature));
    }

    // The difference function between lags, from the correlation's spectrum (still in
    // product_): the sum of its bins is the band-limited interpolation of the correlation.
    double differenceAt(double lag) const {
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

    // The depth of a dip of d' between lags: short periods fall between lags, where the
    // sampled depth of a sharp dip, even through a parabola, would favour multiples of
    // the period that happen to land nearer a whole lag. Found on a parabola through
    // points a quarter lag apart, close enough for a dip of a dozen partials.
    double fineDepth(int lag) const {
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

    // The deepest dip of d' within lags [from, to], or -1.
    int deepestDip(int from, int to) const {
        from = std::max(from, minLag_);
        to = std::min(to, maxLag_);
        int best = -1;
        for (int lag = from; lag <= to; ++lag)
            if (isDip(lag) && (best < 0 || depth(lag) < depth(best)))
                best = lag;
        return best;
    }

    std::optional<FrameEstimate> choosePeriod() {
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
        if (estimate.aperiodicity > kMaxAperiodicity ||
            estimate.frequency < PitchDetector::kLowestFrequency ||
            estimate.frequency > PitchDetector::kHighestFrequency)
            return std::nullopt;
        return estimate;
    }

    // On low strings the second (or third) harmonic is often stronger than the fundamental,
    // and its period dips first. The fundamental's period then dips clearly deeper, being a
    // period of every partial, while a true period dips about as deep at its multiples.
    int preferFundamental(int lag) const {
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

    // YIN's last step: when a recent frame was more periodic and found a different period,
    // look for a dip near that period before trusting this frame's.
    int bestLocalEstimate(int lag) const {
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

    // The difference function weighs each partial by its power times its number squared, so
    // on a bright string the upper partials pull the period: stretched by inharmonicity
    // (B = 1e-4 puts partial 10 some 9 cents sharp) they read the note several cents sharp.
    // The period is therefore measured again on the frame low-passed to its lowest
    // partials, by a Gaussian whose impulse response stays short against the period, and
    // over a whole number of periods, where the partials' cross terms cancel.
    double refine(double period) {
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

    // Written out: std::complex's operator* guards against infinities at some cost.
    static std::complex<double> multiply(std::complex<double> a, std::complex<double> b) {
        return {a.real() * b.real() - a.imag() * b.imag(),
                a.real() * b.imag() + a.imag() * b.real()};
    }

    int sampleRate_;
    int minLag_;
    int maxLag_;
    int frameSize_;
    int window_;
    RealFft fft_;
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

// Everything above 11 kHz is of no use for pitches up to 1400 Hz, so the analysis runs at
// 16..32 kHz: halving the rate halves every transform, which is most of the cost.
int decimationOf(int sampleRate) {
    int factor = 1;
    while (sampleRate / (2 * factor) >= 16000)
        factor *= 2;
    return factor;
}

// Keeps one sample in factor after a fourth-order Butterworth low-pass at 0.8 of the new
// Nyquist frequency. Its phase shift is the same in every period, so it moves no pitch.
class Decimator {
public:
    Decimator(int sampleRate, int factor) : factor_(factor) {
        if (factor == 1)
            return;
        const double cutoff = 0.4 * sampleRate / factor;
        const double omega = 2 * std::numbers::pi * cutoff / sampleRate;
        // The two sections of a Butterworth response: Q = 1 / (2 cos(pi/8)), 1 / (2 cos(3pi/8)).
        const std::array<double, 2> qualities{0.5411961, 1.3065630};
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const double alpha = std::sin(omega) / (2 * qualities[i]);
            const double c = std::cos(omega);
            const double a0 = 1 + alpha;
            auto& s = sections_[i];
            s.b0 = (1 - c) / 2 / a0;
            s.b1 = (1 - c) / a0;
            s.b2 = s.b0;
            s.a1 = -2 * c / a0;
            s.a2 = (1 - alpha) / a0;
        }
    }

    // The next sample at the analysis rate, if this input completes one.
    std::optional<float> take(float sample) {
        if (factor_ == 1)
            return sample;
        double value = sample;
        for (auto& s : sections_) {
            const double out = s.b0 * value + s.z1;
            s.z1 = s.b1 * value - s.a1 * out + s.z2;
            s.z2 = s.b2 * value - s.a2 * out;
            // Denormal states after a note dies away would slow every sample down.
            if (std::abs(s.z1) < 1e-25 && std::abs(s.z2) < 1e-25)
                s.z1 = s.z2 = 0;
            value = out;
        }
        if (++phase_ < factor_)
            return std::nullopt;
        phase_ = 0;
        return float(value);
    }

private:
    struct Section {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    };
    int factor_;
    int phase_ = 0;
    std::array<Section, 2> sections_{};
};

void checkSampleRate(int sampleRate) {
    if (sampleRate < 8000 || sampleRate > 192000)
        throw std::invalid_argument("sample rate " + std::to_string(sampleRate) +
                                    " Hz is outside 8000..192000 Hz");
}

double energyOf(std::span<const float> samples) {
    double energy = 0;
    for (float sample : samples)
        energy += double(sample) * sample;
    return energy;
}

bool holdsAnAttack(std::span<const float> frame) {
    const std::size_t quarter = frame.size() / 4;
    return energyOf(frame.first(quarter)) < kAttackEnergyRatio * energyOf(frame.last(quarter));
}

double medianFrequency(const std::deque<FrameEstimate>& run) {
    std::array<double, kSmoothFrames> values{};
    const std::size_t count = std::min(run.size(), values.size());
    for (std::size_t i = 0; i < count; ++i)
        values[i] = run[run.size() - count + i].frequency;
    const auto middle = values.begin() + count / 2;
    std::nth_element(values.begin(), middle, values.begin() + count);
    return *middle;
}

bool agrees(const std::deque<FrameEstimate>& run, const FrameEstimate& frame) {
    return !run.empty() &&
           std::abs(centsBetween(frame.frequency, medianFrequency(run))) <= kAgreeCents;
}

PitchReading summarise(const std::deque<FrameEstimate>& run) {
    const double median = medianFrequency(run);
    double frequencies = 0, aperiodicity = 0;
    int count = 0;
    for (const auto& frame : run) {
        if (std::abs(centsBetween(frame.frequency, median)) <= kSmoothCents) {
            frequencies += frame.frequency;
            aperiodicity += frame.aperiodicity;
            ++count;
        }
    }
    return readingOf(frequencies / count, 1 - aperiodicity / count / kMaxAperiodicity);
}

} // namespace

std::string programNoteName(int midiNote) {
    static constexpr std::array<const char*, 12> kNames{"C",  "C#", "D",  "D#", "E",  "F",
                                                        "F#", "G",  "G#", "A",  "A#", "B"};
    // Floor division, so that notes below MIDI 0 keep their names; written so that no
    // step overflows, whatever the number.
    const int pitchClass = (midiNote % 12 + 12) % 12;
    const long long octave = midiNote / 12 - (midiNote % 12 < 0 ? 1 : 0);
    return std::string(kNames[pitchClass]) + std::to_string(octave - 2);
}

double shownCents(double cents) {
    // Adding zero turns -0.0 into +0.0.
    return std::round(cents * 10) / 10 + 0.0;
}

PitchReading readingOf(double frequency, double confidence) {
    if (!std::isfinite(frequency) || frequency <= 0)
        throw std::invalid_argument("frequency " + std::to_string(frequency) + " Hz is no pitch");
    PitchReading reading;
    reading.frequency = frequency;
    const double semitones = 69 + 12 * std::log2(frequency / 440);
    reading.midiNote = int(std::lround(semitones));
    reading.note = programNoteName(reading.midiNote);
    reading.cents = std::clamp(100 * (semitones - reading.midiNote), -50.0, 50.0);
    reading.confidence = std::isnan(confidence) ? 0 : std::clamp(confidence, 0.0, 1.0);
    return reading;
}

struct PitchDetector::State {
    explicit State(int rate)
        : sampleRate(rate), factor(decimationOf(rate)), decimator(rate, factor),
          hop(std::max(1, int(std::lround(rate / factor / 100.0)))), yin(rate / factor) {
        buffer.assign(std::size_t(yin.frameSize()), 0.0f);
    }

    void analyse() {
        buffer.erase(buffer.begin(), buffer.begin() + hop);
        pending = 0;
        // The reading so far holds until the frames have passed the attack.
        if (holdsAnAttack(buffer))
            return;
        const auto frame = yin.analyse(buffer);
        settled.reset();
        if (!frame) {
            if (++misses >= kForgetAfterMisses) {
                current.clear();
                candidate.clear();
            }
            return;
        }
        misses = 0;
        if (agrees(current, *frame)) {
            add(current, *frame);
            candidate.clear();
        } else {
            if (!agrees(candidate, *frame))
                candidate.clear();
            add(candidate, *frame);
            if (candidate.size() < kSettleFrames)
                return;
            current = std::move(candidate);
            candidate.clear();
        }
        if (current.size() >= kSettleFrames)
            settled = summarise(current);
    }

    static void add(std::deque<FrameEstimate>& run, const FrameEstimate& frame) {
        run.push_back(frame);
        if (run.size() > kSmoothFrames)
            run.pop_front();
    }

    int sampleRate;
    int factor; // of decimation: the analysis runs at sampleRate / factor
    Decimator decimator;
    int hop; // at the analysis rate
    Yin yin;
    std::vector<float> buffer; // the latest frame, then up to a hop of newer samples
    int pending = 0;
    // Frames of the note being read, and of a different pitch that may be the next note.
    std::deque<FrameEstimate> current;
    std::deque<FrameEstimate> candidate;
    int misses = 0;
    std::optional<PitchReading> settled;
};

PitchDetector::PitchDetector(int sampleRate) {
    checkSampleRate(sampleRate);
    state_ = std::make_unique<State>(sampleRate);
}

PitchDetector::~PitchDetector() = default;
PitchDetector::PitchDetector(PitchDetector&&) noexcept = default;
PitchDetector& PitchDetector::operator=(PitchDetector&&) noexcept = default;

void PitchDetector::push(std::span<const float> samples) {
    auto& state = *state_;
    for (float sample : samples) {
        const auto kept =
            state.decimator.take(std::isfinite(sample) ? std::clamp(sample, -1.0f, 1.0f) : 0.0f);
        if (!kept)
            continue;
        state.buffer.push_back(*kept);
        if (++state.pending == state.hop)
            state.analyse();
    }
}

std::optional<PitchReading> PitchDetector::reading() const {
    return state_->settled;
}

void PitchDetector::reset() {
    state_ = std::make_unique<State>(state_->sampleRate);
}

int PitchDetector::sampleRate() const {
    return state_->sampleRate;
}

int PitchDetector::hopSize() const {
    return state_->hop * state_->factor;
}

int PitchDetector::frameSize() const {
    return state_->yin.frameSize() * state_->factor;
}

std::optional<PitchReading> steadyPitch(std::span<const float> samples, int sampleRate) {
    PitchDetector detector(sampleRate);
    const auto hop = std::size_t(detector.hopSize());
    std::vector<PitchReading> run, longest;
    auto endRun = [&] {
        if (run.size() > longest.size())
            longest = run;
        run.clear();
    };
    for (std::size_t start = 0; start < samples.size(); start += hop) {
        detector.push(samples.subspan(start, std::min(hop, samples.size() - start)));
        const auto reading = detector.reading();
        if (!reading) {
            endRun();
            continue;
        }
        if (!run.empty() &&
            std::abs(centsBetween(reading->frequency, run.back().frequency)) > kAgreeCents)
            endRun();
        run.push_back(*reading);
    }
    endRun();
    if (longest.empty())
        return std::nullopt;
    const auto middle = longest.begin() + std::ptrdiff_t(longest.size() / 2);
    std::nth_element(longest.begin(), middle, longest.end(),
                     [](const auto& a, const auto& b) { return a.frequency < b.frequency; });
    return *middle;
}

} // namespace strumvale::sound
