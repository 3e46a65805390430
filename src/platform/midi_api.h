#pragma once

#include "platform/midi_result.h"

#include <cstdint>
#include <string>

// The MIDI interface in the shape of the operating system's: device counts,
// capabilities, open with a callback, short messages, close. Ids number the
// devices of the registered providers (platform/midi_provider.h).
namespace strumvale::platform {

struct MidiOutConnection;
using MidiOutHandle = MidiOutConnection*;

// Called with kMidiOutOpened, kMidiOutClosed or kMidiOutDone and the instance
// given to midiOutOpen.
using MidiOutCallback = void (*)(MidiOutHandle handle, unsigned message, void* instance,
                                 std::uintptr_t param1, std::uintptr_t param2);

struct MidiOutCaps {
    std::string name;
};
struct MidiInCaps {
    std::string name;
};

unsigned midiOutDeviceCount();
MidiResult midiOutCaps(unsigned deviceId, MidiOutCaps& caps);
// On success handle is the open device; on failure it is null.
MidiResult midiOutOpen(MidiOutHandle& handle, unsigned deviceId, MidiOutCallback callback,
                       void* instance);
// Safe from several threads at once on the same handle.
MidiResult midiOutShortMessage(MidiOutHandle handle, std::uint32_t message);
// Ends the handle; it must not be used afterwards.
MidiResult midiOutClose(MidiOutHandle handle);

unsigned midiInDeviceCount();
MidiResult midiInCaps(unsigned deviceId, MidiInCaps& caps);

} // namespace strumvale::platform
