#pragma once

#include "platform/wav_file.h"

#include <cmath>
#include <string>

namespace strumvale::test {

// A plucked-string-like tone: a weak fundamental under stronger second and
// third partials, steady enough to tune against, written as a WAV file.
inline void writeToneFile(const std::string& path, double frequency, double seconds,
                          int sampleRate = 44100) {
    platform::WavAudio audio;
    audio.sampleRate = sampleRate;
    const auto count = static_cast<std::size_t>(seconds * sampleRate);
    audio.samples.resize(count);
    constexpr double kTwoPi = 6.283185307179586;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        audio.samples[i] = static_cast<float>(0.1 * std::sin(kTwoPi * frequency * t) +
                                              0.35 * std::sin(kTwoPi * 2 * frequency * t) +
                                              0.2 * std::sin(kTwoPi * 3 * frequency * t));
    }
    platform::writeWav(path, audio);
}

// The frequency cents away from an equal-tempered MIDI note.
inline double detuned(int midiNote, double cents) {
    return 440.0 * std::pow(2.0, (midiNote - 69 + cents / 100.0) / 12.0);
}

} // namespace strumvale::test
