#include "sound/tuner_player.h"

#include <algorithm>
#include <utility>

namespace strumvale::sound {

TunerPlayer::~TunerPlayer() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

void TunerPlayer::setNote(std::string note) {
    std::lock_guard lock(noteMutex_);
    note_ = std::move(note);
}

std::string TunerPlayer::note() const {
    std::lock_guard lock(noteMutex_);
    return note_;
}

void TunerPlayer::setSound(int instrument, int velocity) {
    instrument_ = instrument;
    velocity_ = velocity;
}

void TunerPlayer::start(std::function<void()> finished) {
    bool idle = false;
    if (!playing_.compare_exchange_strong(idle, true))
        return;
    // The flag was clear, so a worker before has done its work.
    if (worker_.joinable())
        worker_.join();
    finished_ = std::move(finished);
    try {
        worker_ = std::jthread([this](std::stop_token stop) { run(stop); });
    } catch (const std::system_error&) {
        playing_ = false;
        playing_.notify_all();
    }
}

void TunerPlayer::waitUntilIdle() const {
    while (playing_.load())
        playing_.wait(true);
}

void TunerPlayer::playNow(std::string note) {
    {
        std::lock_guard lock(noteMutex_);
        note_ = std::move(note);
        if (playing_) {
            // The worker checks this under the same lock before it ends.
            restartRequested_ = true;
            cutShort_.request_stop();
            return;
        }
    }
    start(nullptr);
}

void TunerPlayer::run(std::stop_token stop) {
    Clock& clock = player_.clock();
    // Repetitions are due at fixed times from the start, so a loop keeps its
    // pulse however long sending takes.
    Clock::TimePoint deadline = clock.now();
    for (;;) {
        std::stop_source cut;
        std::string sounding;
        {
            // A click before this point is answered by this note, one after
            // it cuts this note short: none is left over to sound it twice.
            std::lock_guard lock(noteMutex_);
            cutShort_ = cut;
            restartRequested_ = false;
            sounding = note_;
        }
        const std::stop_callback ending(stop, [&cut] { cut.request_stop(); });
        player_.setInstrument(instrument_);
        player_.setVelocity(velocity_);
        player_.playNote(sounding, deadline);
        deadline += milliseconds(std::max(0, noteLength_.load()));
        const bool whole = clock.sleepUntil(deadline, cut.get_token());
        player_.stopNote(sounding, whole ? ChordPlayer::Moment(deadline) : ChordPlayer::Moment());
        if (!whole)
            deadline = clock.now(); // the next note starts where this one was cut
        // Decided under the lock that playNow takes, so that no note it asks
        // for is lost between this worker ending and a new one starting.
        std::lock_guard lock(noteMutex_);
        if (!stop.stop_requested() &&
            (std::exchange(restartRequested_, false) || (whole && looping_)))
            continue;
        restartRequested_ = false;
        playing_ = false;
        break;
    }
    // Idle before the report, so that the report finds the player idle. A
    // start that follows joins this worker before it sets a new report.
    std::function<void()> finished = std::move(finished_);
    playing_.notify_all();
    if (finished)
        finished();
}

} // namespace strumvale::sound
