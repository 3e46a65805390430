#pragma once

#include "model/records.h"
#include "sound/clock.h"
#include "sound/midi_out_device.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace strumvale::sound {

class DrumSequencer;
class PlayAlong;

// The English keys of the player's messages; the user sees tr(key).
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kNoOpenDevices = "No open MIDI Devices!";
inline constexpr std::string_view kCouldNotPlay = "Could not play the note!";
inline constexpr std::string_view kCouldNotStop = "Could not turn off the note!";
inline constexpr std::string_view kCouldNotInitialize = "Could not initialize the chordplayer!";

struct PlayerError {
    std::string Caption;
    std::string Text;
    // The device's own error text, untranslated.
    std::string DeviceText;
};

// Called on whichever thread failed; the user interface marshals it. It must
// not wait for another thread that reports, nor set the player's handler.
using ErrorReport = std::function<void(const PlayerError&)>;

// The owner of the MIDI output device and the one place that makes sound:
// strums chords on a thread of its own, sounds single notes and drum hits.
// MIDI failures never escape it; they go to the error report.
class ChordPlayer {
public:
    explicit ChordPlayer(Clock& clock = steadyClock());
    // Cuts a strum short (its sounded notes are turned off) and closes the device.
    ~ChordPlayer();
    ChordPlayer(const ChordPlayer&) = delete;
    ChordPlayer& operator=(const ChordPlayer&) = delete;

    // Reports that came before a handler was set are passed on to it here.
    // Once it returns, the handler it replaced is neither running nor called
    // again, so its receiver may go.
    void setErrorReport(ErrorReport report);

    // Lists the devices afresh (start-up, the settings dialog opening); the
    // ids of setup and reopen are positions in this list.
    const midi::DeviceSnapshot& refreshDevices();
    const midi::DeviceSnapshot& devices() const { return devices_; }

    // Lists the devices, then opens one and stores the values, only when
    // there are devices, nothing plays and deviceId is one of them.
    void setup(int deviceId, int channel, int instrument, int velocity);
    // Closes the device, then opens the one listed at deviceId by the last
    // refreshDevices (listing them first if they never were), if there is
    // one: the device the user chose, even when others came or went since.
    void reopen(int deviceId);
    // Opens exactly this device (closing the one open), whatever the list
    // holds now; false after a failure, which has been reported.
    bool openDevice(const midi::OutputDevice& device);
    bool isOpen() const { return device_.IsOpen(); }
    // For a stuck note or a synthesizer that lost its state: All Notes Off
    // and Reset All Controllers on every channel, then reopen(deviceId).
    void resetDevice(int deviceId);

    // Plain values, read at each use. The stored values are kept as given;
    // out-of-range ones are brought into range when sent.
    void setStrumDelay(int ms) { strumDelay_ = ms; }
    int strumDelay() const { return strumDelay_; }
    void setHoldTime(int ms) { holdTime_ = ms; }
    int holdTime() const { return holdTime_; }
    void setChannel(int channel) { channel_ = channel; }
    int channel() const { return channel_; }
    // A position in the instrument list, not a program number.
    void setInstrument(int position) { instrument_ = position; }
    int instrument() const { return instrument_; }
    void setVelocity(int velocity) { velocity_ = velocity; }
    int velocity() const { return velocity_; }

    // A strum or a drum pattern is sounding.
    bool isPlaying() const { return playing_.load(); }
    // Returns once nothing plays any more.
    void waitUntilIdle() const;

    // Strikes the chord's strings from string 6 to string 1, a strum delay
    // apart, holds, then turns them off; returns at once. Ignored entirely
    // while something plays.
    void strum(model::Chord chord, model::Tuning tuning);

    // Each false after a failure, which has been reported. A sender that
    // keeps a beat hands over the time the message is meant for, so that a
    // device keeping time plays it on the beat however late the sender woke.
    using Moment = std::optional<Clock::TimePoint>;
    bool playNote(std::string_view noteName, Moment at = {});
    bool stopNote(std::string_view noteName, Moment at = {});
    // sound: a row of the percussion list; other values sound nothing.
    bool drumHit(int sound, int velocity, Moment at = {});
    bool drumRelease(int sound, Moment at = {});

    Clock& clock() { return clock_; }

    // The note names a strum of tab in the tuning sounds, in strum order.
    static std::vector<std::string> strumNotes(std::string_view tab, std::string_view tuningNotes);

private:
    friend class DrumSequencer;
    friend class PlayAlong;
    class PlayAlong;
    bool beginPlaying();
    void endPlaying();

    void strumLoop(std::stop_token stop);
    void runStrum(const std::vector<std::string>& notes, std::stop_token stop);
    void report(std::string_view text, const std::exception* cause);
    bool send(int command, int channel, int data1, int data2, std::string_view failure, Moment at);

    Clock& clock_;
    midi::DeviceSnapshot devices_;
    bool devicesListed_ = false;
    midi::CMIDIOutDevice device_;
    std::atomic<int> strumDelay_{200};
    std::atomic<int> holdTime_{200};
    std::atomic<int> channel_{0};
    std::atomic<int> instrument_{0};
    std::atomic<int> velocity_{127};
    std::atomic<bool> playing_{false};

    // Held while a handler runs, so that replacing it waits for the call.
    std::mutex reportMutex_;
    ErrorReport report_;
    std::vector<PlayerError> pendingReports_;

    // The next strum's notes, handed to the strum thread.
    std::mutex strumMutex_;
    std::condition_variable_any strumRequested_;
    std::optional<std::vector<std::string>> nextStrum_;
    // Declared last: it is stopped and joined before anything it uses goes.
    std::jthread strumThread_;
};

} // namespace strumvale::sound
