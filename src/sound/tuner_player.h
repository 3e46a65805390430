#pragma once

#include "sound/chord_player.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace strumvale::sound {

// Sounds one note at a time, once or again and again, on a worker thread of
// its own through the chord player's single notes: open strings for tuning by
// ear, and the notes clicked in the editor. What it plays may change while it plays: each
// repetition takes the note, its length, the instrument and the loop flag afresh, so a new string
// follows the last note without a gap. It does not use the player's playing
// flag: a strum may sound over a tuning note. The player must outlive it.
class TunerPlayer {
public:
    explicit TunerPlayer(ChordPlayer& player) : player_(player) {}
    // Cuts a sounding note short (it is turned off) and waits for the worker.
    ~TunerPlayer();
    TunerPlayer(const TunerPlayer&) = delete;
    TunerPlayer& operator=(const TunerPlayer&) = delete;

    // The note name the next repetition sounds; read whole by the worker.
    void setNote(std::string note);
    std::string note() const;
    void setLooping(bool on) { looping_ = on; }
    bool looping() const { return looping_.load(); }
    void setNoteLength(int ms) { noteLength_ = ms; }
    int noteLength() const { return noteLength_.load(); }
    // Copied into the player before every note.
    void setSound(int instrument, int velocity);

    // Starts the worker unless one runs. When it ends, it is idle first and
    // then calls finished on its own thread.
    void start(std::function<void()> finished);
    // Sounds note at once for one note length: a note still sounding is cut
    // short and the new one follows it without waiting.
    void playNow(std::string note);
    bool isPlaying() const { return playing_.load(); }
    void waitUntilIdle() const;

private:
    void run(std::stop_token stop);

    ChordPlayer& player_;
    mutable std::mutex noteMutex_;
    std::string note_;
    // playNow's request and the stop of the sounding note's wait.
    bool restartRequested_ = false;
    std::stop_source cutShort_;
    std::atomic<bool> looping_{false};
    std::atomic<int> noteLength_{1000};
    std::atomic<int> instrument_{0};
    std::atomic<int> velocity_{127};
    std::atomic<bool> playing_{false};
    std::function<void()> finished_;
    // Declared last: it is stopped and joined before anything it uses goes.
    std::jthread worker_;
};

} // namespace strumvale::sound
