#pragma once

#include "sound/chord_player.h"

#include <atomic>
#include <string>
#include <string_view>
#include <thread>

namespace strumvale::sound {

inline constexpr int kDrumSteps = 16;
inline constexpr int kDrumTracks = 8;

// The captions of the Drummer page's play button (English keys).
inline constexpr std::string_view kPlayCaption = "Play";
inline constexpr std::string_view kStopCaption = "Stop";

// Set by the Drummer page, read by the sequencer while it plays.
struct DrumFlags {
    // Cleared to stop; the sequencer sets it again when it ends.
    std::atomic<bool> keepPlaying{true};
    std::atomic<bool> loopPattern{false};
};

// What the sequencer plays, read live so that every change is heard from the
// next step on. Everything here is called on the sequencer's worker thread
// and must not wait for the user-interface thread (which may be waiting for
// the worker to end).
class PatternSource {
public:
    virtual ~PatternSource() = default;

    // Cell (step 1..16, track 1..8) is a hit.
    virtual bool hit(int step, int track) = 0;
    // A row of the percussion list.
    virtual int instrument(int track) = 0;
    // Note-on velocity 0..127.
    virtual int volume(int track) = 0;
    // Beats per minute as the user typed them.
    virtual std::string tempoText() = 0;
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
