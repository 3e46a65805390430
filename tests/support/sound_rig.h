#pragma once

#include "platform/midi_provider.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <memory>

namespace strumvale::test {

// What the program sounds, recorded: a recording device as the only MIDI
// output, stamping messages on a virtual clock that moves only when the test
// lets it, so every timing is exact.
struct SoundRig {
    sound::VirtualClock clock;
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope{{recorder}};
};

} // namespace strumvale::test
