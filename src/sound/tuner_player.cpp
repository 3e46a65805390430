#include "sound/tuner_player.h"

#include <algorithm>

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

void TunerPlayer::run(std::stop_token stop) {
    Clock& clock = player_.clock();
    // Repetitions are due at fixed times from the start, so a loop keeps its
    // pulse however long sending takes.
    Clock::TimePoint deadline = clock.now();
    bool carryOn = true;
    do {
        player_.setInstrument(instrument_);
        player_.setVelocity(velocity_);
        const std::string sounding = note();
        player_.playNote(sounding);
        deadline += milliseconds(std::max(0, noteLength_.load()));
        carryOn = clock.sleepUntil(deadline, stop);
        player_.stopNote(sounding);
    } while (carryOn && looping_);
    // Idle before the report, so that the report finds the player idle.
    std::function<void()> finished = std::move(finished_);
    playing_ = false;
    playing_.notify_all();
    if (finished)
        finished();
}

} // namespace strumvale::sound
