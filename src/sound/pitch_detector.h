#pragma once

#include "sound/reference_pitch.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

// Names the note a microphone hears from one guitar string, and how far off it is.
namespace strumvale::sound {

struct PitchReading {
    double frequency = 0;  // Hz
    int midiNote = 0;      // nearest equal-tempered note, A4 (440 Hz unless set) = MIDI 69
    std::string note;      // that note in the program's names, see programNoteName
    double cents = 0;      // frequency against that note, -50..+50
    double confidence = 0; // 0..1
};

// The program's names put octaves one lower than scientific pitch: MIDI 40 (82.4 Hz)
// is "E1", MIDI 69 (440 Hz) is "A3", MIDI 16 is "E-1", as in the note table; the black
// keys are spelled as chord roots are (C#, Eb, F#, Ab, Bb), not with the table's sharps.
std::string programNoteName(int midiNote);

// cents rounded to the tenth a tuner shows; a hair below zero is +0.0, not -0.0.
double shownCents(double cents);

// The nearest note to frequency (Hz, finite and above 0, else std::invalid_argument),
// with A4 at a4 Hz; confidence is clamped to 0..1.
PitchReading readingOf(double frequency, double confidence, double a4 = kStandardA4);

// Follows the pitch of a live mono signal, 26.5 Hz (a flat A0: a bass's or a baritone's
// lowest string) to 1400 Hz (above fret 24 of the top string). Not thread-safe: one
// audio thread pushes and reads.
class PitchDetector {
public:
    static constexpr double kLowestFrequency = 26.5;
    static constexpr double kHighestFrequency = 1400.0;

    // sampleRate: 8000..192000 Hz, else std::invalid_argument; notes named
    // with A4 at a4 Hz.
    explicit PitchDetector(int sampleRate, double a4 = kStandardA4);
    ~PitchDetector();
    PitchDetector(PitchDetector&&) noexcept;
    PitchDetector& operator=(PitchDetector&&) noexcept;

    // Feeds samples in -1..1 in blocks of any size; the latest audio is analysed every
    // hopSize() samples. Samples beyond -1..1 are clipped; NaN and infinities count as
    // silence, so a broken input device cannot poison the analysis.
    void push(std::span<const float> samples);

    // The settled reading of the latest audio: none for silence, noise, or while a new
    // note has not settled yet.
    std::optional<PitchReading> reading() const;

    // Forgets all audio, as if just made.
    void reset();

    int sampleRate() const;
    // Samples between two analyses, about 10 ms.
    int hopSize() const;
    // Samples each analysis looks at: the most recent ones, about 55 ms (notes below
    // 60 Hz are read over about 125 ms).
    int frameSize() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// One whole recording: the reading of its longest steady stretch, or none when it holds
// no pitched note. sampleRate as for PitchDetector.
std::optional<PitchReading> steadyPitch(std::span<const float> samples, int sampleRate,
                                        double a4 = kStandardA4);

} // namespace strumvale::sound
