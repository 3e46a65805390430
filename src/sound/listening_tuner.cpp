#include "sound/listening_tuner.h"

#include "model/notes.h"
#include "model/records.h"

#include <cmath>

namespace strumvale::sound {
namespace {

// A change smaller than this is not worth a report: the meter could not show it.
constexpr double kReportedCents = 0.1;
// A fading string's last reading goes once the input is this quiet (about
// -50 dBFS) for kQuietSeconds, or nothing was read for kUnreadSeconds.
constexpr double kQuietRms = 0.003;
constexpr double kQuietSeconds = 1.0;
constexpr double kUnreadSeconds = 3.0;

double frequencyOfMidi(int midiNote, double a4) {
    return a4 * std::pow(2.0, (midiNote - 69) / 12.0);
}

bool sameReading(const std::optional<PitchReading>& a, const std::optional<PitchReading>& b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->midiNote == b->midiNote && std::abs(a->cents - b->cents) < kReportedCents;
}

} // namespace

std::optional<StringMatch> nearestString(std::string_view tuningNotes, double frequency,
                                         double a4) {
    if (!(frequency > 0))
        return std::nullopt;
    const std::vector<std::string> notes = model::splitItemList(tuningNotes);
    std::optional<StringMatch> nearest;
    for (std::size_t i = 0; i < notes.size() && i < 6; ++i) {
        const std::optional<int> entry = model::noteIndex(notes[i]);
        if (!entry)
            continue;
        const double cents =
            1200.0 * std::log2(frequency / frequencyOfMidi(model::midiNumber(*entry), a4));
        if (!nearest || std::abs(cents) < std::abs(nearest->cents))
            nearest = StringMatch{6 - static_cast<int>(i), cents};
    }
    return nearest;
}

ListeningTuner::ListeningTuner(Clock& clock) : clock_(clock) {}

ListeningTuner::~ListeningTuner() {
    stop();
}

std::optional<std::string> ListeningTuner::start(const std::string& deviceId,
                                                 ListeningReports reports) {
    stop();
    reports_ = std::move(reports);
    last_.reset();
    reported_ = false;
    restart_ = false;
    CaptureReports capture;
    capture.block = [this](std::span<const float> block, int) { onBlock(block); };
    capture.failed = [this](const std::string& error) {
        if (reports_.failed)
            reports_.failed(error);
    };
    // A device may record at a rate the detector does not take: it throws.
    return startCapture(
        capture_, deviceId, clock_, [this](int rate) { detector_.emplace(rate, a4_.load()); },
        std::move(capture));
}

void ListeningTuner::stop() {
    capture_.stop();
}

bool ListeningTuner::isListening() const {
    return capture_.isRunning();
}

void ListeningTuner::setPaused(bool paused) {
    if (!paused)
        restart_ = true;
    capture_.setPaused(paused);
}

// The detector was made in start at the input's rate, which an input keeps.
void ListeningTuner::onBlock(std::span<const float> block) {
    if (restart_.exchange(false)) {
        detector_->reset();
        // What was heard before the pause is stale, fading or not.
        fading_ = false;
        if (last_)
            report(std::nullopt, false);
    }
    detector_->push(block);
    const std::optional<PitchReading> reading = detector_->reading();
    if (!reading && last_) {
        holdFading(block);
        return;
    }
    fading_ = false;
    if (reported_ && sameReading(reading, last_))
        return;
    report(reading, false);
}

// A string read a moment ago still rings while the detector loses it: its
// reading stays until the input falls quiet.
void ListeningTuner::holdFading(std::span<const float> block) {
    const int rate = detector_->sampleRate();
    if (!fading_) {
        fading_ = true;
        quietSamples_ = unreadSamples_ = 0;
        report(last_, true);
        return;
    }
    double energy = 0;
    for (float sample : block)
        energy += std::isfinite(sample) ? double(sample) * sample : 0;
    const bool quiet = block.empty() || std::sqrt(energy / double(block.size())) < kQuietRms;
    quietSamples_ = quiet ? quietSamples_ + block.size() : 0;
    unreadSamples_ += block.size();
    if (quietSamples_ >= std::size_t(rate * kQuietSeconds) ||
        unreadSamples_ >= std::size_t(rate * kUnreadSeconds)) {
        fading_ = false;
        report(std::nullopt, false);
    }
}

void ListeningTuner::report(const std::optional<PitchReading>& reading, bool fading) {
    last_ = reading;
    reported_ = true;
    if (reports_.heard)
        reports_.heard(reading, fading);
}

} // namespace strumvale::sound
