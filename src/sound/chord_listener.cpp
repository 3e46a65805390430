#include "sound/chord_listener.h"

#include "sound/audio_inputs.h"

#include <utility>

namespace strumvale::sound {

ChordListener::ChordListener(Clock& clock) : clock_(clock) {}

ChordListener::~ChordListener() {
    stop();
}

std::optional<std::string> ChordListener::start(const std::string& deviceId,
                                                ChordListeningReports reports) {
    stop();
    std::unique_ptr<platform::AudioInput> input;
    try {
        input = openAudioInput(deviceId, clock_);
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    watch_.emplace(input->sampleRate(), a4_.load());
    {
        const std::lock_guard lock(expectedMutex_);
        if (expectedChange_)
            expected_ = *std::exchange(expectedChange_, std::nullopt);
        watch_->expect(expected_);
    }
    reports_ = std::move(reports);
    restart_ = false;
    CaptureReports capture;
    capture.block = [this](std::span<const float> block, int) { onBlock(block); };
    capture.failed = [this](const std::string& error) {
        if (reports_.failed)
            reports_.failed(error);
    };
    if (!capture_.start(std::move(input), std::move(capture)))
        return std::string("the input could not be started");
    return std::nullopt;
}

void ChordListener::stop() {
    capture_.stop();
}

void ChordListener::setPaused(bool paused) {
    if (!paused)
        restart_ = true;
    capture_.setPaused(paused);
}

void ChordListener::expect(std::optional<ExpectedStrum> expected) {
    const std::lock_guard lock(expectedMutex_);
    expectedChange_ = std::move(expected);
}

// The watch was made in start at the input's rate, which an input keeps.
void ChordListener::onBlock(std::span<const float> block) {
    {
        const std::lock_guard lock(expectedMutex_);
        if (expectedChange_) {
            expected_ = *std::exchange(expectedChange_, std::nullopt);
            watch_->expect(expected_);
        }
    }
    if (restart_.exchange(false))
        watch_->reset();
    if (std::optional<StrumHeard> strum = watch_->push(block); strum && reports_.heard)
        reports_.heard(*strum);
}

} // namespace strumvale::sound
