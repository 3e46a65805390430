#include "sound/audio_capture.h"

#include "sound/audio_inputs.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace strumvale::sound {
namespace {

constexpr int kBlocksPerSecond = 100;

} // namespace

AudioCapture::~AudioCapture() {
    stop();
}

bool AudioCapture::start(std::unique_ptr<platform::AudioInput> input, CaptureReports reports) {
    if (input == nullptr || running_)
        return false;
    // Not running, so a thread before has ended or is ending by itself.
    if (worker_.joinable())
        worker_.join();
    input_ = std::move(input);
    reports_ = std::move(reports);
    running_ = true;
    try {
        worker_ = std::jthread([this](std::stop_token stop) { run(stop); });
    } catch (const std::system_error&) {
        running_ = false;
        input_.reset();
        return false;
    }
    return true;
}

void AudioCapture::stop() {
    if (!worker_.joinable())
        return;
    worker_.request_stop();
    if (worker_.get_id() == std::this_thread::get_id())
        return; // a report cannot wait for its own thread; the next start joins it
    worker_.join();
    input_.reset();
}

void AudioCapture::run(std::stop_token stop) {
    const int rate = input_->sampleRate();
    std::vector<float> block(static_cast<std::size_t>(std::max(1, rate / kBlocksPerSecond)));
    std::optional<std::string> failure;
    while (!stop.stop_requested()) {
        std::size_t count = 0;
        try {
            count = input_->readOrStop(block, stop);
        } catch (const std::exception& error) {
            failure = error.what();
            break;
        }
        // A block that ends while paused may have begun before: all of it goes.
        if (count == 0 || paused_ || stop.stop_requested())
            continue;
        if (reports_.block)
            reports_.block(std::span<const float>(block.data(), count), rate);
    }
    // Not running before the report, so that the report finds it ended.
    running_ = false;
    if (failure && reports_.failed)
        reports_.failed(*failure);
}

std::optional<std::string> startCapture(AudioCapture& capture, const std::string& deviceId,
                                        Clock& clock,
                                        const std::function<void(int sampleRate)>& ready,
                                        CaptureReports reports) {
    std::unique_ptr<platform::AudioInput> input;
    try {
        input = openAudioInput(deviceId, clock);
        ready(input->sampleRate());
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    if (!capture.start(std::move(input), std::move(reports)))
        return std::string("the input could not be started");
    return std::nullopt;
}

} // namespace strumvale::sound
