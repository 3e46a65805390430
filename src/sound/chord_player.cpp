#include "sound/chord_player.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "sound/gm_names.h"
#include "sound/midi_message.h"

#include <algorithm>
#include <optional>

namespace strumvale::sound {
namespace {

// Open strings come from the table without its last note, and fretted notes
// may not pass it.
constexpr int kOpenStringNotes = model::kNoteCount - 1;
constexpr int kLastEntry = model::kNoteCount - 1;
// Kept for a handler that comes later; a flood of failures is not.
constexpr std::size_t kMaxPendingReports = 16;

int dataByte(int value) {
    return std::clamp(value, 0, 127);
}

} // namespace

ChordPlayer::ChordPlayer(Clock& clock) : clock_(clock) {}

ChordPlayer::~ChordPlayer() {
    if (strumThread_.joinable()) {
        strumThread_.request_stop();
        strumThread_.join();
    }
}

void ChordPlayer::setErrorReport(ErrorReport report) {
    std::lock_guard lock(reportMutex_);
    report_ = std::move(report);
    if (!report_)
        return;
    for (const auto& error : pendingReports_)
        report_(error);
    pendingReports_.clear();
}

void ChordPlayer::report(std::string_view text, const std::exception* cause) {
    PlayerError error{std::string(kErrorCaption), std::string(text),
                      cause ? cause->what() : std::string()};
    std::lock_guard lock(reportMutex_);
    if (report_)
        report_(error);
    else if (pendingReports_.size() < kMaxPendingReports)
        pendingReports_.push_back(std::move(error));
}

const midi::DeviceSnapshot& ChordPlayer::refreshDevices() {
    devices_ = midi::takeDeviceSnapshot();
    devicesListed_ = true;
    return devices_;
}

void ChordPlayer::setup(int deviceId, int channel, int instrument, int velocity) {
    refreshDevices();
    const midi::OutputDevice* device = midi::outputAt(devices_, deviceId);
    if (device == nullptr || isPlaying() || !openDevice(*device))
        return;
    channel_ = channel;
    instrument_ = instrument;
    velocity_ = velocity;
}

bool ChordPlayer::openDevice(const midi::OutputDevice& device) {
    try {
        device_.Open(device);
        return true;
    } catch (const std::exception& failure) {
        report(kCouldNotInitialize, &failure);
        return false;
    }
}

void ChordPlayer::reopen(int deviceId) {
    device_.Close();
    if (!devicesListed_)
        refreshDevices();
    if (const midi::OutputDevice* device = midi::outputAt(devices_, deviceId))
        openDevice(*device);
}

void ChordPlayer::resetDevice(int deviceId) {
    for (int channel = 0; channel < 16 && device_.IsOpen(); ++channel) {
        if (!send(midi::kControlChange, channel, midi::kAllNotesOff, 0, kCouldNotStop, {}) ||
            !send(midi::kControlChange, channel, midi::kResetAllControllers, 0, kCouldNotStop, {}))
            break;
    }
    reopen(deviceId);
}

bool ChordPlayer::beginPlaying() {
    bool idle = false;
    return playing_.compare_exchange_strong(idle, true);
}

void ChordPlayer::endPlaying() {
    playing_ = false;
    playing_.notify_all();
}

void ChordPlayer::waitUntilIdle() const {
    while (playing_.load())
        playing_.wait(true);
}

std::vector<std::string> ChordPlayer::strumNotes(std::string_view tab,
                                                 std::string_view tuningNotes) {
    const auto& table = model::noteTable();
    std::vector<std::string> notes;
    model::TabTokens tokens = model::splitTab(tab);
    for (int k = 0; k < model::kStringCount; ++k) {
        const int fret = model::fretOf(tokens[k]);
        if (fret < 0)
            continue;
        auto open = model::noteIndex(model::tuningNote(tuningNotes, model::kStringCount - k));
        if (!open || *open >= kOpenStringNotes || *open + fret > kLastEntry)
            continue;
        notes.emplace_back(table[*open + fret]);
    }
    return notes;
}

void ChordPlayer::strum(model::Chord chord, model::Tuning tuning) {
    if (!beginPlaying())
        return;
    {
        std::lock_guard lock(strumMutex_);
        nextStrum_ = strumNotes(chord.Tab, tuning.Notes);
    }
    // One thread for every strum: a waiting thread wakes within microseconds
    // on a busy machine, where a new one may wait for a whole time slice.
    if (!strumThread_.joinable()) {
        try {
            strumThread_ = std::jthread([this](std::stop_token stop) { strumLoop(stop); });
        } catch (const std::system_error& failure) {
            {
                std::lock_guard lock(strumMutex_);
                nextStrum_.reset();
            }
            endPlaying();
            report(kCouldNotPlay, &failure);
            return;
        }
    }
    strumRequested_.notify_one();
}

void ChordPlayer::strumLoop(std::stop_token stop) {
    for (;;) {
        std::vector<std::string> notes;
        {
            std::unique_lock lock(strumMutex_);
            if (!strumRequested_.wait(lock, stop, [this] { return nextStrum_.has_value(); }))
                return;
            notes = std::move(*nextStrum_);
            nextStrum_.reset();
        }
        if (stop.stop_requested()) {
            endPlaying();
            return;
        }
        runStrum(notes, stop);
    }
}

void ChordPlayer::runStrum(const std::vector<std::string>& notes, std::stop_token stop) {
    Clock::TimePoint deadline = clock_.now();
    std::size_t sounded = 0;
    bool carryOn = true;
    for (const auto& note : notes) {
        if (!playNote(note, deadline)) {
            carryOn = false;
            break;
        }
        ++sounded;
        deadline += milliseconds(std::max(0, strumDelay()));
        if (!clock_.sleepUntil(deadline, stop)) {
            carryOn = false;
            break;
        }
    }
    if (carryOn) {
        deadline += milliseconds(std::max(0, holdTime()));
        carryOn = clock_.sleepUntil(deadline, stop);
    }
    // A failing device is reported once, not once per string. A strum cut
    // short stops now; one held to its end stops on time.
    const Moment end = carryOn ? Moment(deadline) : Moment();
    for (std::size_t i = 0; i < sounded; ++i) {
        if (!stopNote(notes[i], end))
            break;
    }
    endPlaying();
}

bool ChordPlayer::send(int command, int channel, int data1, int data2, std::string_view failure,
                       Moment at) {
    try {
        const midi::MidiShortMessage message(command, channel, data1, data2);
        if (at)
            message.sendTo(device_, *at);
        else
            message.sendTo(device_);
        return true;
    } catch (const std::exception& cause) {
        report(failure, &cause);
        return false;
    }
}

bool ChordPlayer::playNote(std::string_view noteName, Moment at) {
    if (!device_.IsOpen())
        return true;
    auto entry = model::noteIndex(noteName);
    if (!entry)
        return true;
    int channel = std::clamp(channel_.load(), 0, 15);
    int program = programNumber(std::clamp(instrument_.load(), 0, kInstrumentCount - 1));
    return send(midi::kProgramChange, channel, program, 0, kCouldNotPlay, at) &&
           send(midi::kNoteOn, channel, model::midiNumber(*entry), dataByte(velocity_),
                kCouldNotPlay, at);
}

bool ChordPlayer::stopNote(std::string_view noteName, Moment at) {
    auto entry = model::noteIndex(noteName);
    if (!entry || !device_.IsOpen())
        return true;
    return send(midi::kNoteOff, std::clamp(channel_.load(), 0, 15), model::midiNumber(*entry), 0,
                kCouldNotStop, at);
}

bool ChordPlayer::drumHit(int sound, int velocity, Moment at) {
    if (sound < 0 || sound >= kPercussionCount || !device_.IsOpen())
        return true;
    return send(midi::kNoteOn, midi::kPercussionChannel, percussionNote(sound), dataByte(velocity),
                kCouldNotPlay, at);
}

bool ChordPlayer::drumRelease(int sound, Moment at) {
    if (sound < 0 || sound >= kPercussionCount || !device_.IsOpen())
        return true;
    return send(midi::kNoteOff, midi::kPercussionChannel, percussionNote(sound), 0, kCouldNotStop,
                at);
}

} // namespace strumvale::sound
