#pragma once

#include "platform/midi_result.h"
#include "platform/scheduled_synth.h"

#include <chrono>
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
// built-in device adds an audio driver; tests render it directly. It is a
// bank of phase-shifted FluidSynth instances sharing one font, so that a
// message sounds at its own frame rather than on FluidSynth's block grid.
class SynthEngine {
public:
    static constexpr int kSampleRate = 44100;

    // NoSoundFont when the font cannot be loaded. Rendered directly, a
    // message plays from the next render on; the built-in device plays each
    // at its time.
    static MidiResult create(const std::string& soundFont, std::unique_ptr<SynthEngine>& engine,
                             SynthTiming timing = SynthTiming::OnArrival);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // From any thread: the message, meant for now or for the time at.
    MidiResult sendShortMessage(std::uint32_t message);
    MidiResult sendShortMessageAt(std::uint32_t message, SteadyTime at);

    // The next frames of stereo output, as 32-bit floats.
    void render(float* left, float* right, int frames);

    // Starts the audio driver of $STRUMVALE_AUDIO_DRIVER (FluidSynth's own
    // choice when unset), writing to $STRUMVALE_AUDIO_FILE for "file".
    MidiResult startAudio();

    // From a message's time to its sound leaving the driver.
    std::chrono::microseconds latency() const;

private:
    struct Parts;
    explicit SynthEngine(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

} // namespace strumvale::platform
