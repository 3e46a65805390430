#pragma once

#include "sound/audio_capture.h"
#include "sound/clock.h"
#include "sound/strum_watch.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// The trainer's ear: an input device's audio watched for strums, each one
// reported with its notes and, when a fingering is expected, its verdict.
namespace strumvale::sound {

struct ChordListeningReports {
    // Each strum as soon as it is heard. On the capture thread.
    std::function<void(const StrumHeard& strum)> heard;
    // The device failed or went away; listening has ended. On the capture thread.
    std::function<void(const std::string& error)> failed;
};

class ChordListener {
public:
    explicit ChordListener(Clock& clock = steadyClock());
    ~ChordListener();
    ChordListener(const ChordListener&) = delete;
    ChordListener& operator=(const ChordListener&) = delete;

    // Opens the device (id from audioInputDevices()) and starts listening;
    // the device's error text when it cannot be opened.
    std::optional<std::string> start(const std::string& deviceId, ChordListeningReports reports);
    void stop();
    bool isListening() const { return capture_.isRunning(); }
    // While the program itself plays it would hear itself: what it hears
    // meanwhile is dropped, and it starts afresh when resumed.
    void setPaused(bool paused);
    // The fingering the next strums are judged against; from any thread.
    void expect(std::optional<ExpectedStrum> expected);
    void setA4(double a4) { a4_ = a4; }

private:
    void onBlock(std::span<const float> block);

    Clock& clock_;
    ChordListeningReports reports_;
    std::optional<StrumWatch> watch_;
    std::atomic<double> a4_{kStandardA4};
    std::mutex expectedMutex_;
    std::optional<std::optional<ExpectedStrum>> expectedChange_;
    std::optional<ExpectedStrum> expected_;
    std::atomic<bool> restart_{false};
    // Last: its thread ends before anything it uses goes.
    AudioCapture capture_;
};

} // namespace strumvale::sound
