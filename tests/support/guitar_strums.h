#pragma once

#include "platform/midi_synth.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <memory>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

// Strums as a microphone would bring them: plucked strings with the stretched
// partials of real steel and nylon, and the built-in synthesizer's guitars,
// each string a little out of tune, struck one after another, in a room with
// noise and mains hum. Also what is no strum: speech, a knock.
namespace strumvale::test {

inline constexpr int kStrumRate = 44100;
// Quiet before the strum, as a listener waits for it.
inline constexpr double kLeadSeconds = 0.3;

struct StrumStyle {
    double spreadMs = 30;   // first string to last
    double detuneCents = 6; // each string off by up to this, either way
    double noiseDb = -30;   // room noise and hum against the strum's peak
    double inharmonicity = 2e-4;
    unsigned seed = 1;
};

inline double midiFrequency(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12);
}

// The room: white noise and 50 Hz hum with its harmonics, at level (dB)
// against the loudest sample.
inline void addRoom(std::vector<float>& samples, double levelDb, unsigned seed) {
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    const double gain = peak * std::pow(10.0, levelDb / 20);
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, 0.5);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kStrumRate;
        const double hum = 0.6 * std::sin(2 * std::numbers::pi * 50 * t) +
                           0.3 * std::sin(2 * std::numbers::pi * 100 * t) +
                           0.2 * std::sin(2 * std::numbers::pi * 150 * t);
        samples[i] += static_cast<float>(gain * (noise(random) + hum) / 2);
    }
}

// Plucked strings: each note's partials k f sqrt(1 + B k^2), plucked a
// fifth of the way along, the higher ones dying sooner. notes low to high in
// strum order; nullopt strings are silent.
inline std::vector<float> pluckedStrum(const std::vector<std::optional<int>>& notes,
                                       const StrumStyle& style, double seconds = 1.2) {
    std::vector<float> samples(static_cast<std::size_t>((kLeadSeconds + seconds) * kStrumRate));
    std::mt19937 random(style.seed);
    std::uniform_real_distribution<double> detune(-style.detuneCents, style.detuneCents);
    int strings = 0;
    for (const auto& note : notes)
        strings += note.has_value();
    int struck = 0;
    for (const auto& note : notes) {
        const double cents = detune(random);
        if (!note)
            continue;
        const double start =
            kLeadSeconds + (strings > 1 ? style.spreadMs / 1000 * struck / (strings - 1) : 0);
        ++struck;
        const double f0 = midiFrequency(*note + cents / 100);
        for (int k = 1; k <= 20; ++k) {
            const double f = k * f0 * std::sqrt(1 + style.inharmonicity * k * k);
            if (f > 10000)
                break;
            const double amplitude =
                std::abs(std::sin(std::numbers::pi * k * 0.2)) / k * (f0 < 120 ? 0.8 : 1.0);
            const double decay = 1.5 + 0.6 * k;
            const double phase = detune(random);
            // A decaying phasor turned a sample at a time: no sine per sample.
            const std::complex<double> turn =
                std::polar(std::exp(-decay / kStrumRate), 2 * std::numbers::pi * f / kStrumRate);
            std::complex<double> value = std::polar(0.08 * amplitude, phase);
            for (std::size_t i = static_cast<std::size_t>(start * kStrumRate); i < samples.size();
                 ++i) {
                samples[i] += static_cast<float>(value.imag());
                value *= turn;
            }
        }
    }
    addRoom(samples, style.noiseDb, style.seed + 7);
    return samples;
}

// The built-in synthesizer, silenced and its reverb run out; none without a
// sound font. Loading the font takes far longer than a strum: one engine
// serves all.
inline platform::SynthEngine* quietSynth() {
    static const std::unique_ptr<platform::SynthEngine> engine = [] {
        std::unique_ptr<platform::SynthEngine> made;
        const std::optional<std::string> font = platform::generalMidiSoundFont();
        if (font)
            platform::SynthEngine::create(*font, made);
        return made;
    }();
    if (!engine)
        return nullptr;
    std::vector<float> left(kStrumRate), right(kStrumRate);
    for (unsigned channel = 0; channel < 16; ++channel) {
        engine->sendShortMessage(0xB0u | channel | 120u << 8); // all sound off
        engine->sendShortMessage(0xB0u | channel | 121u << 8); // controllers reset
    }
    engine->render(left.data(), right.data(), kStrumRate);
    return engine.get();
}

// The built-in synthesizer's guitar (a General MIDI program: 24 nylon, 25
// steel, 27 clean electric) playing the notes, each string on a channel of
// its own so that each can be out of tune; none without a sound font.
inline std::optional<std::vector<float>> synthStrum(const std::vector<std::optional<int>>& notes,
                                                    int program, const StrumStyle& style,
                                                    double seconds = 1.2) {
    platform::SynthEngine* const engine = quietSynth();
    if (engine == nullptr)
        return std::nullopt;
    std::mt19937 random(style.seed);
    std::uniform_real_distribution<double> detune(-style.detuneCents, style.detuneCents);
    struct Strike {
        std::size_t frame;
        int channel;
        int key;
    };
    std::vector<Strike> strikes;
    int strings = 0;
    for (const auto& note : notes)
        strings += note.has_value();
    int struck = 0;
    for (std::size_t s = 0; s < notes.size(); ++s) {
        const int channel = static_cast<int>(s);
        const double cents = detune(random);
        engine->sendShortMessage(0xC0u | unsigned(channel) | unsigned(program) << 8);
        const int bend = std::clamp(8192 + int(std::lround(cents / 200 * 8192)), 0, 16383);
        engine->sendShortMessage(0xE0u | unsigned(channel) | unsigned(bend & 0x7F) << 8 |
                                 unsigned(bend >> 7) << 16);
        if (!notes[s])
            continue;
        const double start =
            kLeadSeconds + (strings > 1 ? style.spreadMs / 1000 * struck / (strings - 1) : 0);
        ++struck;
        strikes.push_back({static_cast<std::size_t>(start * kStrumRate), channel, *notes[s]});
    }
    const std::size_t total = static_cast<std::size_t>((kLeadSeconds + seconds) * kStrumRate);
    std::vector<float> left(total), right(total);
    std::size_t at = 0;
    for (const Strike& strike : strikes) {
        if (strike.frame > at) {
            engine->render(left.data() + at, right.data() + at, int(strike.frame - at));
            at = strike.frame;
        }
        engine->sendShortMessage(0x90u | unsigned(strike.channel) | unsigned(strike.key) << 8 |
                                 100u << 16);
    }
    engine->render(left.data() + at, right.data() + at, int(total - at));
    std::vector<float> samples(total);
    for (std::size_t i = 0; i < total; ++i)
        samples[i] = (left[i] + right[i]) / 2;
    addRoom(samples, style.noiseDb, style.seed + 7);
    return samples;
}

// A metronome heard from the speakers while the guitar plays: the
// synthesizer's wood blocks (High accented, Low on the other beats of 4/4)
// every beatSeconds from firstSeconds, their peak levelDb against the
// strum's, added to it; false without a sound font.
inline bool addClicks(std::vector<float>& strum, double beatSeconds, double firstSeconds,
                      double levelDb) {
    platform::SynthEngine* const engine = quietSynth();
    if (engine == nullptr)
        return false;
    std::vector<float> left(strum.size()), right(strum.size());
    std::size_t at = 0;
    int beat = 0;
    for (double t = firstSeconds; t < double(strum.size()) / kStrumRate; t += beatSeconds) {
        const auto frame = static_cast<std::size_t>(t * kStrumRate);
        engine->render(left.data() + at, right.data() + at, int(frame - at));
        at = frame;
        const unsigned key = beat++ % 4 == 0 ? 76 : 77;
        const unsigned velocity = key == 76 ? 127 : 96;
        engine->sendShortMessage(0x99u | key << 8 | velocity << 16);
    }
    engine->render(left.data() + at, right.data() + at, int(strum.size() - at));
    float strumPeak = 0, clickPeak = 0;
    for (std::size_t i = 0; i < strum.size(); ++i) {
        strumPeak = std::max(strumPeak, std::abs(strum[i]));
        clickPeak = std::max(clickPeak, std::abs(left[i] + right[i]) / 2);
    }
    if (clickPeak == 0)
        return true;
    const float gain = static_cast<float>(strumPeak * std::pow(10.0, levelDb / 20) / clickPeak);
    for (std::size_t i = 0; i < strum.size(); ++i)
        strum[i] += gain * (left[i] + right[i]) / 2;
    return true;
}

// A voice saying a vowel that glides, as speech does: a pulse train through
// two formants.
inline std::vector<float> speech(unsigned seed, double seconds = 1.2) {
    std::vector<float> samples(static_cast<std::size_t>((kLeadSeconds + seconds) * kStrumRate));
    double phase = 0;
    for (std::size_t i = static_cast<std::size_t>(kLeadSeconds * kStrumRate); i < samples.size();
         ++i) {
        const double t = double(i) / kStrumRate - kLeadSeconds;
        const double pitch = 120 + 40 * std::sin(2 * std::numbers::pi * (1.3 + seed * 0.1) * t);
        phase += pitch / kStrumRate;
        double value = 0;
        for (int k = 1; k <= 30; ++k) {
            const double f = k * pitch;
            const double formant = std::exp(-std::pow((f - 700) / 150, 2)) +
                                   0.6 * std::exp(-std::pow((f - 1200) / 200, 2)) + 0.05 / k;
            value += formant * std::sin(2 * std::numbers::pi * k * phase);
        }
        const double syllables = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 4 * t);
        samples[i] = static_cast<float>(0.05 * value * syllables);
    }
    addRoom(samples, -30, seed);
    return samples;
}

// A knock on the guitar's body: a short thud that dies within 60 ms.
inline std::vector<float> knock(unsigned seed, double seconds = 1.2) {
    std::vector<float> samples(static_cast<std::size_t>((kLeadSeconds + seconds) * kStrumRate));
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, 1);
    double low = 0;
    for (std::size_t i = static_cast<std::size_t>(kLeadSeconds * kStrumRate); i < samples.size();
         ++i) {
        const double t = double(i) / kStrumRate - kLeadSeconds;
        low += 0.05 * (noise(random) - low);
        samples[i] = static_cast<float>(std::exp(-t * 60) *
                                        (0.6 * std::sin(2 * std::numbers::pi * 180 * t) + low));
    }
    addRoom(samples, -30, seed);
    return samples;
}

} // namespace strumvale::test
