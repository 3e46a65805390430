#pragma once

#include "platform/block_synth.h"
#include "platform/midi_result.h"

#include <memory>
#include <string>
#include <vector>

namespace strumvale::platform {

// count FluidSynth instances sharing one loaded General MIDI font, each a
// BlockSynth at sampleRate; NoSoundFont when the font cannot be loaded.
MidiResult createFluidPhases(const std::string& soundFont, int count, int sampleRate,
                             std::vector<std::unique_ptr<BlockSynth>>& phases);

} // namespace strumvale::platform
