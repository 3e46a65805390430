#pragma once

#include "model/playlist.h"
#include "model/records.h"
#include "sound/chord_player.h"
#include "sound/live_pattern.h"
#include "sound/metronome.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace strumvale::sound {

// A beat is four steps wherever beats and steps meet: a step of the drum grid
// is a sixteenth of a simple metre.
inline constexpr int kStepsPerBeat = 4;

// The length of a step at bpm beats per minute (at least 1).
Clock::Duration stepAtBeatsPerMinute(double bpm);

// Entries first..last (last included, clamped to the score) played over and
// over until stopped.
struct LoopRange {
    int first = 0;
    int last = 0;
};

// A tempo that rises as the loop comes round: from start, by step every
// everyLoops passes, until it reaches target, where it holds. Beats a minute.
struct SpeedSteps {
    int start = 60;
    int step = 5;
    int everyLoops = 2;
    int target = 120;
    // The tempo of pass 0, 1, ...
    int tempoOfPass(int pass) const;
};

// What a performance plays: entries one after another, each the same number
// of steps long, and a drum pattern and a metronome beside them if wanted.
struct Score {
    // Each entry's notes, struck in this order a strum delay apart from the
    // start of the entry; an entry without notes is a rest.
    std::vector<std::vector<std::string>> entries;
    int stepsPerEntry = 4;
    // The next step's length, asked before every step, so a tempo changed
    // while playing is heard from the next step on. A speed trainer's tempo
    // takes its place.
    std::function<Clock::Duration()> stepLength;
    // Notes sound to the end of their entry; otherwise for the player's hold
    // time after the last one, as a strum does, but never into the next entry.
    bool holdToEntryEnd = false;
    // Above 0: a strum spans at most this share of its entry's time (first
    // note to last), its strings closer than the player's strum delay where
    // that delay would spread them wider. 0 keeps the strum delay as it is.
    double maxStrumShare = 0;
    // Plays along from the first step, its sixteen steps over and over, when
    // set; it must outlive the performance. A loop starts it afresh.
    LivePattern* drums = nullptr;
    // Clicks from the first step in bars of its metre, which a loop starts
    // afresh; its count-in goes before the first entry.
    std::optional<Metronome> metronome;
    std::optional<LoopRange> loop;
    std::optional<SpeedSteps> speed;
};

// Clicks alone: one bar over and over, at bpm unless a speed trainer is set.
Score metronomeScore(const Metronome& metronome, int bpm);

// A playlist as it is practised: one bar of four drum steps per entry at the
// pattern's tempo, each chord strummed with its own tab in its own tuning and
// ringing to the end of its bar, a separator a bar of rest; the drums play
// along when drumsAlong is set. Every string of a chord sounds: its strum
// spans at most an eighth of the bar (half a beat).
Score playlistScore(const model::Playlist& playlist, LivePattern& tempoAndDrums, bool drumsAlong);

// The share of a playlist entry's bar that its strum may span.
inline constexpr double kPlaylistStrumShare = 1.0 / 8;

// A scale's pitch classes once upward from C, one note a step at 120 bpm;
// names that are no pitch class are left out, repeats sound once.
Score scaleRunScore(const std::vector<std::string>& pitchClasses);

// What a performance tells, on its worker thread; neither may wait for the
// thread that starts or stops it.
struct PlayAlongReports {
    // Entry index now sounding; -1 once the performance is over.
    std::function<void(int entry)> entry;
    // Each beat of the count-in, as the beats left: 4, 3, 2, 1 in 4/4.
    std::function<void(int beatsLeft)> countIn;
    // With a speed trainer: its tempo before the first step and whenever it
    // changes, in beats a minute.
    std::function<void(int bpm)> tempo;
    // Each pass of a loop from the second on, counted from 1.
    std::function<void(int pass)> loopPass;
    // Each drum step as it starts, 1..16, when drums play along.
    std::function<void(int step)> drumStep;
    // After the last report of entry, with the player idle again.
    std::function<void()> ended;
};

// Plays a score through the chord player on a worker thread. Chord notes,
// their releases and the drum steps all fall on deadlines counted from one
// start on one clock, so neither part drifts against the other. It holds the
// player's playing flag throughout: no strum or pattern starts meanwhile.
class PlayAlong {
public:
    explicit PlayAlong(ChordPlayer& player) : player_(player) {}
    // Ends a performance at once (all it sounds is released) and waits for it.
    ~PlayAlong();
    PlayAlong(const PlayAlong&) = delete;
    PlayAlong& operator=(const PlayAlong&) = delete;

    // Nothing, and false, while the player plays or the score has no entry.
    bool start(Score score, PlayAlongReports reports);
    // Ends the performance at once, releasing what sounds; does not wait.
    void stop();
    bool isPlaying() const { return playing_.load(); }
    void waitUntilIdle() const;

private:
    void run(const Score& score, const PlayAlongReports& reports, std::stop_token stop);
    Clock::Duration stepLengthOf(const Score& score, int pass) const;
    // The spacing of an entry's notes: the player's strum delay, narrowed to
    // the score's share of the entry.
    int strumDelayFor(const Score& score, std::size_t notes, Clock::Duration step) const;

    ChordPlayer& player_;
    std::atomic<bool> playing_{false};
    // Declared last: it is stopped and joined before anything it uses goes.
    std::jthread worker_;
};

} // namespace strumvale::sound
