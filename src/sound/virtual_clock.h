#pragma once

#include "sound/clock.h"

#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>

namespace strumvale::sound {

// A clock for tests: time stands still until the test moves it, and threads
// sleeping in it wake exactly at their deadlines. Time starts at zero.
class VirtualClock : public Clock {
public:
    TimePoint now() override;
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override;

    // Time since the start, for assertions.
    Duration elapsed();

    // Moves time to t (never backwards), waking every sleeper due by then.
    void advanceTo(TimePoint t);
    void advance(Duration d) { advanceTo(now() + d); }

    // Lets the sleeping threads run: whenever at least one sleeps, moves time
    // to the earliest deadline, until done() holds. False if neither a sleeper
    // nor done() comes within a few seconds of real time (a hung test).
    bool runUntil(const std::function<bool()>& done);

    // Waits (in real time, a few seconds at most) until count threads sleep.
    bool waitForSleepers(int count);
    int sleepers();

private:
    struct Sleeper {
        TimePoint deadline;
        // A sleeper asked to stop is on its way out, whatever the time: it
        // no longer counts as sleeping, nor is it woken by a later advance.
        std::stop_token stop;
        bool woken = false;

        bool waiting() const { return !woken && !stop.stop_requested(); }
    };
    int sleepingCount() const;

    std::mutex mutex_;
    std::condition_variable_any changed_;
    TimePoint now_{};
    std::list<Sleeper> sleepers_;
};

} // namespace strumvale::sound
