#pragma once

#include "sound/chord_player.h"
#include "sound/live_pattern.h"

#include <atomic>
#include <string>
#include <string_view>
#include <thread>

namespace strumvale::sound {

// The captions of the Drummer page's play button (English keys).
inline constexpr std::string_view kPlayCaption = "Play";
inline constexpr std::string_view kStopCaption = "Stop";

// Set by the Drummer page, read by the sequencer while it plays.
struct DrumFlags {
    // Cleared to stop; the sequencer sets it again when it ends.
    std::atomic<bool> keepPlaying{true};
    std::atomic<bool> loopPattern{false};
};

// The page the sequencer plays: its live pattern, so that every change is
// heard from the next step on, its flags and what it shows. Called on the
// sequencer's worker thread, like the live pattern.
class PatternSource : public LivePattern {
public:
    virtual DrumFlags& flags() = 0;

    // Show step 1..16 as the current one.
    virtual void markStep(int step) = 0;
    // The play button now reads tr(caption): kStopCaption, later kPlayCaption.
    virtual void showPlayCaption(std::string_view caption) = 0;
};

// The length of one step at bpm beats per minute, 100..2000 ms.
int stepMilliseconds(int bpm);
// The same for a tempo text: its leading integer, 0 when it has none.
int stepMilliseconds(std::string_view tempoText);

// Plays one pattern, once or looped, on a worker thread, through the chord
// player's drum sounds. It shares the player's playing flag, so at most one
// pattern plays and never together with a strum. The player must outlive it.
class DrumSequencer {
public:
    explicit DrumSequencer(ChordPlayer& player) : player_(player) {}
    // Ends a pattern at once (its sounding step is released) and waits for it.
    ~DrumSequencer();
    DrumSequencer(const DrumSequencer&) = delete;
    DrumSequencer& operator=(const DrumSequencer&) = delete;

    // Nothing while the player plays; otherwise plays source until it stops.
    // The source may go once the player is idle again (waitUntilIdle).
    void start(PatternSource& source);
    // The sounding step finishes, then the pattern ends.
    void requestStop(PatternSource& source) { source.flags().keepPlaying = false; }

private:
    void run(PatternSource& source, std::stop_token stop);

    ChordPlayer& player_;
    std::jthread worker_;
};

} // namespace strumvale::sound
