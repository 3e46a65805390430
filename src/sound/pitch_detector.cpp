#include "sound/pitch_detector.h"

#include "model/notes.h"
#include "sound/decimator.h"
#include "sound/yin.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <stdexcept>
#include <vector>

namespace strumvale::sound {

namespace {

// A note has settled after this many frames in a row agree within kAgreeCents.
constexpr std::size_t kSettleFrames = 3;
constexpr double kAgreeCents = 8;
// The reading is smoothed over the latest frames of a note (about 120 ms), leaving out
// frames further than kSmoothCents from their median, such as those straddling the attack.
constexpr std::size_t kSmoothFrames = 12;
constexpr double kSmoothCents = 3;
// Frames without a pitch before a note is forgotten; after fewer, it comes back at once.
constexpr int kForgetAfterMisses = 3;
// A frame whose oldest quarter is this much quieter (in energy) than its newest holds an
// attack: the silence or the old note before it bends the period found, by over ten cents.
constexpr double kAttackEnergyRatio = 1.0 / 9;

double centsBetween(double frequency, double reference) {
    return 1200 * std::log2(frequency / reference);
}

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

PitchReading summarise(const std::deque<FrameEstimate>& run, double a4) {
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
    return readingOf(frequencies / count, 1 - aperiodicity / count / Yin::kMaxAperiodicity, a4);
}

} // namespace

std::string programNoteName(int midiNote) {
    // Floor division, so that notes below MIDI 0 keep their names; written so that no
    // step overflows, whatever the number.
    const int pitchClass = (midiNote % 12 + 12) % 12;
    const long long octave = midiNote / 12 - (midiNote % 12 < 0 ? 1 : 0);
    // Spelled as chord roots are, so the tuner says Bb where the chord names do.
    return std::string(model::kChordRootSpellings[static_cast<std::size_t>(pitchClass)]) +
           std::to_string(octave - 2);
}

double shownCents(double cents) {
    // Adding zero turns -0.0 into +0.0.
    return std::round(cents * 10) / 10 + 0.0;
}

PitchReading readingOf(double frequency, double confidence, double a4) {
    if (!std::isfinite(frequency) || frequency <= 0)
        throw std::invalid_argument("frequency " + std::to_string(frequency) + " Hz is no pitch");
    PitchReading reading;
    reading.frequency = frequency;
    const double semitones = 69 + 12 * std::log2(frequency / a4);
    reading.midiNote = int(std::lround(semitones));
    reading.note = programNoteName(reading.midiNote);
    reading.cents = std::clamp(100 * (semitones - reading.midiNote), -50.0, 50.0);
    reading.confidence = std::isnan(confidence) ? 0 : std::clamp(confidence, 0.0, 1.0);
    return reading;
}

struct PitchDetector::State {
    State(int rate, double a4)
        : sampleRate(rate), a4(a4), factor(decimationOf(rate)), decimator(rate, factor),
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
            settled = summarise(current, a4);
    }

    static void add(std::deque<FrameEstimate>& run, const FrameEstimate& frame) {
        run.push_back(frame);
        if (run.size() > kSmoothFrames)
            run.pop_front();
    }

    int sampleRate;
    double a4;
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

PitchDetector::PitchDetector(int sampleRate, double a4) {
    checkSampleRate(sampleRate);
    state_ = std::make_unique<State>(sampleRate, a4);
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
    state_ = std::make_unique<State>(state_->sampleRate, state_->a4);
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

std::optional<PitchReading> steadyPitch(std::span<const float> samples, int sampleRate, double a4) {
    PitchDetector detector(sampleRate, a4);
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
