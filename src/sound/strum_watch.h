#pragma once

#include "sound/chord_hearing.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Listening for strums in audio as it arrives: each strum is heard once,
// as soon as enough of it has rung to tell.
namespace strumvale::sound {

struct StrumHeard {
    // Seconds since the watch started: the strum's attack, and the moment
    // the audio for its verdict was in.
    double attack = 0;
    double heardAt = 0;
    std::vector<int> notes;              // heard, lowest first
    std::optional<ChordVerdict> verdict; // against the expected fingering, if any
};

class StrumWatch {
public:
    explicit StrumWatch(int sampleRate, double a4 = kStandardA4);

    // The fingering each strum is judged against; none to hear the notes only.
    void expect(std::optional<ExpectedStrum> expected) { expected_ = std::move(expected); }
    // The next samples; a strum when one has just become clear.
    std::optional<StrumHeard> push(std::span<const float> block);
    // Forgets what was heard, as after a pause.
    void reset();

private:
    int sampleRate_;
    double a4_;
    std::optional<ExpectedStrum> expected_;
    std::vector<float> buffer_;   // the latest audio
    std::size_t bufferStart_ = 0; // samples since the start before buffer_[0]
    std::size_t quietUntil_ = 0;  // no new attack is looked for before this
    std::size_t scannedAt_ = 0;   // buffer end at the last look
};

} // namespace strumvale::sound
