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
// The long frame looks at its oldest eighth: a quarter of it outlasts the strongest part
// of an attack, and a frame with a little silence left is read several cents off.
constexpr double kAttackEnergyRatio = 1.0 / 9;
constexpr std::size_t kShortTrackAttackParts = 4;
constexpr std::size_t kLongTrackAttackParts = 8;
// The short frame reads down to here; the long one, at a quarter of its rate, reads the
// notes below, and up to where it can tell them from their partials.
constexpr double kShortTrackLowest = 60.0;
constexpr int kLongTrackDecimation = 4;
constexpr double kLongTrackHighest = 130.0;
// A short reading this near a partial of a low note is that partial.
constexpr int kHighestMistakenPartial = 4;
constexpr double kHarmonicCents = 30;

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

bool holdsAnAttack(std::span<const float> frame, std::size_t parts) {
    const std::size_t part = frame.size() / parts;
    return energyOf(frame.first(part)) < kAttackEnergyRatio * energyOf(frame.last(part));
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

namespace {

// One detector over one frame length: a short frame answers soon, a long one
// holds enough periods of the lowest notes.
class Track {
public:
    Track(int inputRate, int factor, double lowest, double highest, std::size_t attackParts,
          double a4)
        : a4_(a4), factor_(factor), attackParts_(attackParts), decimator_(inputRate, factor),
          hop_(std::max(1, int(std::lround(inputRate / factor / 100.0)))),
          yin_(inputRate / factor, lowest, highest) {
        buffer_.assign(std::size_t(yin_.frameSize()), 0.0f);
    }

    // The sample at this track's rate, when the input completes one.
    std::optional<float> take(float sample) {
        const std::optional<float> kept = decimator_.take(sample);
        if (!kept)
            return std::nullopt;
        buffer_.push_back(*kept);
        if (++pending_ == hop_)
            analyse();
        return kept;
    }

    const std::optional<PitchReading>& settled() const { return settled_; }
    // The pitch of the latest frames, settled or not; none once they lose it.
    std::optional<double> heardFrequency() const {
        if (!current_.empty())
            return medianFrequency(current_);
        if (!candidate_.empty())
            return medianFrequency(candidate_);
        return std::nullopt;
    }
    int factor() const { return factor_; }
    int hop() const { return hop_; }
    int frameSize() const { return yin_.frameSize(); }

private:
    void analyse() {
        buffer_.erase(buffer_.begin(), buffer_.begin() + hop_);
        pending_ = 0;
        // The reading so far holds until the frames have passed the attack.
        if (holdsAnAttack(buffer_, attackParts_))
            return;
        const auto frame = yin_.analyse(buffer_);
        settled_.reset();
        if (!frame) {
            if (++misses_ >= kForgetAfterMisses) {
                current_.clear();
                candidate_.clear();
            }
            return;
        }
        misses_ = 0;
        if (agrees(current_, *frame)) {
            add(current_, *frame);
            candidate_.clear();
        } else {
            if (!agrees(candidate_, *frame))
                candidate_.clear();
            add(candidate_, *frame);
            if (candidate_.size() < kSettleFrames)
                return;
            current_ = std::move(candidate_);
            candidate_.clear();
        }
        if (current_.size() >= kSettleFrames)
            settled_ = summarise(current_, a4_);
    }

    static void add(std::deque<FrameEstimate>& run, const FrameEstimate& frame) {
        run.push_back(frame);
        if (run.size() > kSmoothFrames)
            run.pop_front();
    }

    double a4_;
    int factor_; // of decimation from this track's input
    std::size_t attackParts_;
    Decimator decimator_;
    int hop_; // at the analysis rate
    Yin yin_;
    std::vector<float> buffer_; // the latest frame, then up to a hop of newer samples
    int pending_ = 0;
    // Frames of the note being read, and of a different pitch that may be the next note.
    std::deque<FrameEstimate> current_;
    std::deque<FrameEstimate> candidate_;
    int misses_ = 0;
    std::optional<PitchReading> settled_;
};

bool isHarmonicOf(double frequency, double fundamental) {
    for (int partial = 2; partial <= kHighestMistakenPartial; ++partial)
        if (std::abs(centsBetween(frequency, partial * fundamental)) <= kHarmonicCents)
            return true;
    return false;
}

} // namespace

// Below 60 Hz a frame short enough to follow a guitar quickly holds too few periods,
// and the short frame reads the note's second or third partial instead: the long
// track, decimated further so it costs little, reads those notes.
struct PitchDetector::State {
    State(int rate, double a4)
        : sampleRate(rate), a4(a4), shortTrack(rate, decimationOf(rate), kShortTrackLowest,
                                               kHighestFrequency, kShortTrackAttackParts, a4),
          longTrack(rate / shortTrack.factor(), kLongTrackDecimation, kLowestFrequency,
                    kLongTrackHighest, kLongTrackAttackParts, a4) {}

    void push(float sample) {
        if (const std::optional<float> kept = shortTrack.take(sample))
            longTrack.take(*kept);
    }

    std::optional<PitchReading> reading() const {
        const std::optional<double> low = longTrack.heardFrequency();
        const bool lowNote = low && *low < kShortTrackLowest;
        if (lowNote && longTrack.settled() && longTrack.settled()->frequency < kShortTrackLowest)
            return longTrack.settled();
        const std::optional<PitchReading>& shortReading = shortTrack.settled();
        // A partial of a low note that the long frame has not settled on yet.
        if (shortReading && lowNote && isHarmonicOf(shortReading->frequency, *low))
            return std::nullopt;
        return shortReading;
    }

    int sampleRate;
    double a4;
    Track shortTrack;
    Track longTrack;
};

PitchDetector::PitchDetector(int sampleRate, double a4) {
    checkSampleRate(sampleRate);
    state_ = std::make_unique<State>(sampleRate, a4);
}

PitchDetector::~PitchDetector() = default;
PitchDetector::PitchDetector(PitchDetector&&) noexcept = default;
PitchDetector& PitchDetector::operator=(PitchDetector&&) noexcept = default;

void PitchDetector::push(std::span<const float> samples) {
    for (float sample : samples)
        state_->push(std::isfinite(sample) ? std::clamp(sample, -1.0f, 1.0f) : 0.0f);
}

std::optional<PitchReading> PitchDetector::reading() const {
    return state_->reading();
}

void PitchDetector::reset() {
    state_ = std::make_unique<State>(state_->sampleRate, state_->a4);
}

int PitchDetector::sampleRate() const {
    return state_->sampleRate;
}

int PitchDetector::hopSize() const {
    return state_->shortTrack.hop() * state_->shortTrack.factor();
}

int PitchDetector::frameSize() const {
    return state_->shortTrack.frameSize() * state_->shortTrack.factor();
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
