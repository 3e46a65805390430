#pragma once

#include "sound/reference_pitch.h"
#include "sound/strum_spectrum.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Hearing a strummed chord: the notes that ring, and for a chord the player
// was asked for, what each string did.
namespace strumvale::sound {

// A string's part in a strum, string 6 first.
struct StringFinding {
    enum class Kind {
        Sounds,          // its note rings, in tune within the band
        Missing,         // its note does not ring
        WrongNote,       // another note rings in its place (heard)
        MutedAsExpected, // muted, and nothing of its open note rings
        RingsMuted,      // should be muted, yet its open note (heard) rings
        CannotTell,      // other strings' overtones cover every partial it has
    };
    int string = 6;
    Kind kind = Kind::Sounds;
    int expected = -1; // MIDI note it should sound; -1 for a muted string
    int heard = -1;    // MIDI note heard for WrongNote and RingsMuted
};

struct ChordVerdict {
    double attack = 0; // seconds into the recording
    // No string found at fault; a string that cannot be told is no fault.
    bool right = false;
    std::vector<StringFinding> strings;
};

// What a fingering should sound: each string's MIDI note (none when muted)
// and each open string's, string 6 first; none for a tab that is no fingering
// or a tuning that names no notes.
struct ExpectedStrum {
    std::array<std::optional<int>, 6> notes{};
    std::array<int, 6> open{};
};
std::optional<ExpectedStrum> expectedStrum(std::string_view tab, std::string_view tuningNotes);

// The notes ringing in a strum's spectrum, lowest first, a4 the reference
// pitch; fewer than three for anything that is no chord.
std::vector<int> heardNotes(const StrumSpectrum& spectrum, double a4 = kStandardA4);

// Each string of the expected strum against what rings.
ChordVerdict judgeStrum(const StrumSpectrum& spectrum, const ExpectedStrum& expected,
                        double a4 = kStandardA4);

// What rings from a known attack on: its spectrum and notes; none when that
// is no strum.
struct StrumAtAttack {
    StrumSpectrum spectrum;
    std::vector<int> notes;
};
std::optional<StrumAtAttack> strumAt(std::span<const float> samples, int sampleRate, double attack,
                                     double a4 = kStandardA4);

// The first strum of a recording: its notes, or none when it holds no strum
// (silence, speech, a knock).
struct HeardStrum {
    double attack = 0;
    std::vector<int> notes;
};
std::optional<HeardStrum> hearStrum(std::span<const float> samples, int sampleRate,
                                    double a4 = kStandardA4);

// The first strum of a recording judged against the fingering; none when
// the recording holds no strum.
std::optional<ChordVerdict> checkStrum(std::span<const float> samples, int sampleRate,
                                       const ExpectedStrum& expected, double a4 = kStandardA4);

} // namespace strumvale::sound
