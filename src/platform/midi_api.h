#pragma once

#include "platform/midi_result.h"
#include "platform/midi_time.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The MIDI interface in the shape of the operating system's: device lists,
// capabilities, open, short messages, close. Devices come from the registered
// providers (platform/midi_provider.h).
namespace strumvale::platform {

class MidiDeviceProvider;
struct MidiOutConnection;
using MidiOutHandle = MidiOutConnection*;

// An output device as it was listed; opening it later finds that same device
// by its identity, or fails, but never opens whatever took its place.
struct MidiOutDevice {
    std::string name;
    std::string identity;
    std::shared_ptr<MidiDeviceProvider> provider;
};

// Every provider's devices at one moment; a position is a device id.
struct MidiDeviceSnapshot {
    std::vector<MidiOutDevice> outputs;
    std::vector<std::string> inputs;
};

MidiDeviceSnapshot midiDeviceSnapshot();

struct MidiOutCaps {
    std::string name;
};
struct MidiInCaps {
    std::string name;
};

// Each of these looks at the devices afresh.
unsigned midiOutDeviceCount();
MidiResult midiOutCaps(unsigned deviceId, MidiOutCaps& caps);
unsigned midiInDeviceCount();
MidiResult midiInCaps(unsigned deviceId, MidiInCaps& caps);

// On success handle is the open device; on failure it is null.
MidiResult midiOutOpen(MidiOutHandle& handle, const MidiOutDevice& device);
// Safe from several threads at once on the same handle.
MidiResult midiOutShortMessage(MidiOutHandle handle, std::uint32_t message);
// The same, meant for time at; a device without timing sends it now.
MidiResult midiOutShortMessageAt(MidiOutHandle handle, std::uint32_t message, SteadyTime at);
// From a message's time to its sound (zero for a null handle).
std::chrono::microseconds midiOutLatency(MidiOutHandle handle);
// Ends the handle; it must not be used afterwards.
MidiResult midiOutClose(MidiOutHandle handle);

} // namespace strumvale::platform
