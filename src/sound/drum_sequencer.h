#pragma once

#include "sound/chord_player.h"
#include "sound/drum_step.h"
#include "sound/live_pattern.h"

#include <atomic>
#include <functional>
#include <thread>

namespace strumvale::sound {

// Set by the Drummer page, read by the sequencer while it plays.
struct DrumFlags {
    // Cleared to stop; the sequencer sets it again when it ends.
    std::atomic<bool> keepPlaying{true};
    std::atomic<bool> loopPattern{false};
};

// The page the sequencer plays: its live pattern, so that every change is
// heard from the next step on, and its flags. Read on the sequencer's
// worker thread, like the live pattern.
class PatternSource : public LivePattern {
public:
    virtual DrumFlags& flags() = 0;
};

// What a pattern tells, on the sequencer's worker thread; none may wait for
// the thread that starts or stops it.
struct DrumReports {
    // Before the first step.
    std::function<void()> started;
    // Step 1..16 now sounding; 1 again once the pattern is over, where the
    // next one begins.
    std::function<void(int step)> step;
    // After the last step report, while the player still plays: once it is
    // idle the owner may destroy the source and whatever the reports reach.
    std::function<void()> ended;
};

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
    void start(PatternSource& source, DrumReports reports);
    // The sounding step finishes, then the pattern ends.
    void requestStop(PatternSource& source) { source.flags().keepPlaying = false; }

private:
    void run(PatternSource& source, const DrumReports& reports, std::stop_token stop);

    ChordPlayer& player_;
    std::jthread worker_;
};

} // namespace strumvale::sound
