#pragma once

#include "platform/midi_result.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The built-in synthesizer: FluidSynth playing a General MIDI sound font.
namespace strumvale::platform {

// $STRUMVALE_SOUNDFONT when set (whether or not it exists), else the first
// General MIDI font Debian installs that is there; none when there is none.
std::optional<std::string> generalMidiSoundFont();

// A synthesizer with its font loaded and no audio output of its own: the
// built-in device adds an audio driver; tests render it directly.
class SynthEngine {
public:
    static constexpr int kSampleRate = 44100;

    // NoSoundFont when the font cannot be loaded.
    static MidiResult create(const std::string& soundFont, std::unique_ptr<SynthEngine>& engine);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // Thread-safe, as FluidSynth's own calls are.
    MidiResult sendShortMessage(std::uint32_t message);

    // The next frames of stereo output, as 32-bit floats.
    void render(float* left, float* right, int frames);

    // Starts the audio driver of $STRUMVALE_AUDIO_DRIVER (FluidSynth's own
    // choice when unset), writing to $STRUMVALE_AUDIO_FILE for "file".
    MidiResult startAudio();

private:
    struct Parts;
    explicit SynthEngine(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

} // namespace strumvale::platform
