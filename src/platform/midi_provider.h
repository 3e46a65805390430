#pragma once

#include "platform/midi_result.h"
#include "platform/midi_time.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where MIDI devices come from. The device ids the program sees number the
// devices of every registered provider in registration order; tests register
// their own providers in place of the machine's.
namespace strumvale::platform {

// One open output. Sends may come from several threads at once.
class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;
    virtual MidiResult sendShortMessage(std::uint32_t message) = 0;
    // The message as meant for time at (a sender that knows its beat hands
    // it over with the message); a port without timing sends it now.
    virtual MidiResult sendShortMessageAt(std::uint32_t message, SteadyTime /*at*/) {
        return sendShortMessage(message);
    }
    // From a message's time to its sound or its delivery; zero for a port
    // that delivers at once.
    virtual std::chrono::microseconds latency() const { return {}; }
};

// An output as a provider lists it: the name the user sees, and what finds
// the same device again even after others came or went.
struct MidiPortEntry {
    std::string name;
    std::string identity;
};

class MidiDeviceProvider {
public:
    virtual ~MidiDeviceProvider() = default;

    // One look at the outputs there are now, in the provider's order.
    virtual std::vector<MidiPortEntry> outputPorts() = 0;
    // BadDeviceId when no output has that identity any more.
    virtual MidiResult openOutput(const std::string& identity,
                                  std::unique_ptr<MidiOutPort>& port) = 0;

    virtual std::vector<std::string> inputPorts() { return {}; }
};

// The bytes a short message's status uses: program change and channel
// pressure take one data byte, and sending a second would be read as running
// status by a real port.
constexpr unsigned shortMessageLength(std::uint8_t status) {
    if (status < 0x80)
        return 0;
    if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 || status == 0xF1 || status == 0xF3)
        return 2;
    if (status == 0xF2 || status < 0xF0)
        return 3;
    return 1;
}

using MidiProviders = std::vector<std::shared_ptr<MidiDeviceProvider>>;

// FluidSynth with a General MIDI sound font: one output, "Built-in synthesizer".
std::shared_ptr<MidiDeviceProvider>
builtInSynthesizerProvider(SynthTiming timing = SynthTiming::Stamped);
// Every ALSA sequencer port, through one sequencer client kept for the
// program's lifetime; none, quietly, when there is no sequencer.
std::shared_ptr<MidiDeviceProvider> alsaSequencerProvider();
// "MIDI log", appending to path; without a path, to $STRUMVALE_MIDI_LOG, and
// only while that names a file.
std::shared_ptr<MidiDeviceProvider> midiLogProvider(std::optional<std::string> path = {});

// The machine's devices: built-in synthesizer, ALSA ports, MIDI log.
MidiProviders defaultMidiProviders();

MidiProviders midiProviders();
void setMidiProviders(MidiProviders providers);

// Replaces the registered providers for its lifetime.
class ScopedMidiProviders {
public:
    explicit ScopedMidiProviders(MidiProviders providers) : saved_(midiProviders()) {
        setMidiProviders(std::move(providers));
    }
    ~ScopedMidiProviders() { setMidiProviders(std::move(saved_)); }
    ScopedMidiProviders(const ScopedMidiProviders&) = delete;
    ScopedMidiProviders& operator=(const ScopedMidiProviders&) = delete;

private:
    MidiProviders saved_;
};

} // namespace strumvale::platform
