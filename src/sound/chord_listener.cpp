#include "sound/chord_listener.h"

#include <utility>

namespace strumvale::sound {

ChordListener::ChordListener(Clock& clock) : clock_(clock) {}

ChordListener::~ChordListener() {
    stop();
}

std::optional<std::string> ChordListener::start(const std::string& deviceId,
                                                ChordListeningReports reports) {
    stop();
    reports_ = std::move(reports);
    restart_ = false;
    CaptureReports capture;
    capture.block = [this](std::span<const float> block, int) { onBlock(block); };
    capture.failed = [this](const std::string& error) {
        if (reports_.failed)
            reports_.failed(error);
    };
    const auto ready = [this](int rate) {
        watch_.emplace(rate, a4_.load());
        const std::lock_guard lock(expectedMutex_);
        if (expectedChange_)
            expected_ = *std::exchange(expectedChange_, std::nullopt);
        watch_->expect(expected_);
    };
    return startCapture(capture_, deviceId, clock_, ready, std::move(capture));
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
