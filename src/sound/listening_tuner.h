#pragma once

#include "sound/audio_capture.h"
#include "sound/clock.h"
#include "sound/pitch_detector.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The tuner that listens: an input device's audio through the pitch detector,
// the readings reported as they change.
namespace strumvale::sound {

// Which open string of a tuning a heard note belongs to: the one nearest to it.
struct StringMatch {
    int string = 0;   // 6 .. 1
    double cents = 0; // the heard frequency against that string's open note
};
// tuningNotes as the library keeps them ("E1,A1,D2,G2,B2,E3", string 6 first);
// none when no string's note is known.
std::optional<StringMatch> nearestString(std::string_view tuningNotes, double frequency,
                                         double a4 = kStandardA4);

struct ListeningReports {
    // A settled reading, or none (silence, noise, a note not settled yet);
    // only when it changes. When a fading string can no longer be read, its
    // last reading comes again as fading, and none follows once the input
    // has been quiet for a second (or nothing was read for three). On the
    // capture thread.
    std::function<void(const std::optional<PitchReading>& reading, bool fading)> heard;
    // The device failed or went away; listening has ended. On the capture thread.
    std::function<void(const std::string& error)> failed;
};

class ListeningTuner {
public:
    explicit ListeningTuner(Clock& clock = steadyClock());
    ~ListeningTuner();

    // Opens the device (id from audioInputDevices()) and starts listening;
    // the device's error text when it cannot be opened.
    std::optional<std::string> start(const std::string& deviceId, ListeningReports reports);
    void stop();
    bool isListening() const;
    // While a reference note sounds the tuner would hear itself: what it
    // hears meanwhile is dropped, and it starts afresh when resumed.
    void setPaused(bool paused);
    // The A4 that notes are named by, from the next start on.
    void setA4(double a4) { a4_ = a4; }

private:
    void onBlock(std::span<const float> block);
    void holdFading(std::span<const float> block);
    void report(const std::optional<PitchReading>& reading, bool fading);

    Clock& clock_;
    AudioCapture capture_;
    ListeningReports reports_;
    std::optional<PitchDetector> detector_;
    std::optional<PitchReading> last_;
    bool reported_ = false;
    bool fading_ = false;
    std::size_t quietSamples_ = 0;  // in a row, while fading
    std::size_t unreadSamples_ = 0; // while fading
    std::atomic<bool> restart_{false};
    std::atomic<double> a4_{kStandardA4};
};

} // namespace strumvale::sound
