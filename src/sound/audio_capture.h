#pragma once

#include "platform/audio_input.h"
#include "sound/clock.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>

namespace strumvale::sound {

// What capturing tells, on the capture thread. Neither may throw, nor call
// start on the capture that calls it.
struct CaptureReports {
    // Each block of samples read while not paused; the span lasts for the call.
    std::function<void(std::span<const float> block, int sampleRate)> block;
    // The device failed or went away, with a text for the user; the thread ends
    // after it, and isRunning is false by then.
    std::function<void(const std::string& error)> failed;
};

// Reads an input on a thread of its own in blocks of about 10 ms, as the
// tuner listens.
class AudioCapture {
public:
    AudioCapture() = default;
    // Stops, and waits for the thread.
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    // Nothing, and false, without an input or while running. A capture that
    // ended by itself may start again.
    bool start(std::unique_ptr<platform::AudioInput> input, CaptureReports reports);
    // Ends the thread at once, even while it waits for the input, and waits
    // for it; the input is closed. Does nothing when not running. From a
    // report it only asks the thread to end.
    void stop();
    // Blocks read while paused are dropped rather than held back, so that
    // the tuner does not hear its own reference note.
    void setPaused(bool paused) { paused_ = paused; }
    bool isPaused() const { return paused_.load(); }
    bool isRunning() const { return running_.load(); }

private:
    void run(std::stop_token stop);

    std::unique_ptr<platform::AudioInput> input_;
    CaptureReports reports_;
    std::atomic<bool> paused_{false};
    std::atomic<bool> running_{false};
    // Declared last: it is stopped and joined before anything it uses goes.
    std::jthread worker_;
};

// Opens the input deviceId names (see openAudioInput) on clock and starts
// capture on it: ready hears the input's rate first and may refuse it by
// throwing. The reason, as text for the user, when the input cannot be
// opened, taken or started.
std::optional<std::string> startCapture(AudioCapture& capture, const std::string& deviceId,
                                        Clock& clock,
                                        const std::function<void(int sampleRate)>& ready,
                                        CaptureReports reports);

} // namespace strumvale::sound
