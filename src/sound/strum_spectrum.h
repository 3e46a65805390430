#pragma once

#include <optional>
#include <span>
#include <vector>

// What a strum sounds like once every string rings: the peaks of its
// spectrum, found where the strum's attack is.
namespace strumvale::sound {

struct SpectralPeak {
    double frequency = 0; // Hz, interpolated between bins
    double level = 0;     // dB above the spectrum's local floor
};

struct StrumSpectrum {
    double attack = 0;               // seconds from the recording's start
    std::vector<SpectralPeak> peaks; // by frequency
    double strongest = 0;            // the loudest peak's level
};

// Where the strum's attack is in the recording: the first sharp rise from
// quiet that keeps ringing (a knock dies away at once); none for silence or
// a recording that never rises so.
std::optional<double> findAttack(std::span<const float> samples, int sampleRate);

// The spectrum of the chord ringing after the attack: from 60 ms on (past a
// strum spread up to that) for a third of a second.
StrumSpectrum strumSpectrum(std::span<const float> samples, int sampleRate, double attack);

// Seconds after the attack that the analysis needs of the recording.
inline constexpr double kStrumListenSeconds = 0.06 + 0.35;

} // namespace strumvale::sound
