#pragma once

#include "platform/midi_provider.h"
#include "platform/midi_synth.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

// Timing as a listener hears it: the note-ons that senders meant for their
// times, and where each one's sound starts in the audio the built-in
// synthesizer wrote.
namespace strumvale::bench {

// A note-on as it was meant: its time and what sounds (the channel's
// program at that moment).
struct MeantNote {
    std::chrono::steady_clock::time_point at;
    int channel;
    int program;
    int key;
    int velocity;
};

// Passes everything on to the output it wraps and notes every note-on with
// the time its sender meant it for.
class MeantNotesRecorder : public platform::MidiDeviceProvider {
public:
    explicit MeantNotesRecorder(std::shared_ptr<platform::MidiDeviceProvider> inner)
        : inner_(std::move(inner)) {}

    std::vector<platform::MidiPortEntry> outputPorts() override { return inner_->outputPorts(); }
    platform::MidiResult openOutput(const std::string& identity,
                                    std::unique_ptr<platform::MidiOutPort>& port) override;

    std::vector<MeantNote> take();
    // The latency the open output reports; zero when none is open.
    std::chrono::microseconds latency();

private:
    class Port;
    void note(std::uint32_t message, std::chrono::steady_clock::time_point at);

    std::shared_ptr<platform::MidiDeviceProvider> inner_;
    std::mutex mutex_;
    int programs_[16] = {};
    platform::MidiOutPort* open_ = nullptr;
    std::vector<MeantNote> notes_;
};

// Where each meant note starts in the audio, in frames: the first found by
// its rise out of silence, each later one by matching the attack of that
// note rendered alone within a few milliseconds of where its time puts it.
// A note not found is left out.
struct HeardNote {
    MeantNote meant;
    double meantFrame; // from the first note's time, plus its heard frame
    double heardFrame;
};
std::vector<HeardNote> findOnsets(const std::vector<float>& audio, int sampleRate,
                                  const std::vector<MeantNote>& meant);

// The errors of the heard onsets against their times, one constant latency
// taken out, and how the error moves over the run.
struct OnsetFigures {
    double medianFrames = 0;
    double p99Frames = 0;
    double maxFrames = 0;
    // The largest difference between neighbouring intervals and their meant
    // length, in frames.
    double worstIntervalFrames = 0;
    // The error's trend across the run, first note to last, in frames.
    double driftFrames = 0;
    int notes = 0;
};
OnsetFigures onsetFigures(const std::vector<HeardNote>& heard);

} // namespace strumvale::bench
