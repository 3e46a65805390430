#include "sound/virtual_clock.h"

#include <algorithm>

namespace strumvale::sound {
namespace {

constexpr auto kRealTimeLimit = std::chrono::seconds(10);
constexpr auto kPoll = std::chrono::milliseconds(1);

} // namespace

Clock::TimePoint VirtualClock::now() {
    std::lock_guard lock(mutex_);
    return now_;
}

Clock::Duration VirtualClock::elapsed() {
    return now() - TimePoint{};
}

int VirtualClock::sleepingCount() const {
    return static_cast<int>(std::count_if(sleepers_.begin(), sleepers_.end(),
                                          [](const Sleeper& s) { return s.waiting(); }));
}

int VirtualClock::sleepers() {
    std::lock_guard lock(mutex_);
    return sleepingCount();
}

bool VirtualClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (deadline <= now_)
        return !stop.stop_requested();
    auto me = sleepers_.insert(sleepers_.end(), Sleeper{deadline, stop});
    changed_.notify_all();
    bool woken = changed_.wait(lock, stop, [&] { return me->woken; });
    sleepers_.erase(me);
    changed_.notify_all();
    return woken;
}

void VirtualClock::advanceTo(TimePoint t) {
    {
        std::lock_guard lock(mutex_);
        now_ = std::max(now_, t);
        for (auto& sleeper : sleepers_) {
            if (sleeper.deadline <= now_ && sleeper.waiting())
                sleeper.woken = true;
        }
    }
    changed_.notify_all();
}

bool VirtualClock::runUntil(const std::function<bool()>& done) {
    auto giveUp = std::chrono::steady_clock::now() + kRealTimeLimit;
    for (;;) {
        if (done())
            return true;
        std::unique_lock lock(mutex_);
        // done() can change without the clock hearing of it, so poll.
        changed_.wait_for(lock, kPoll, [&] { return sleepingCount() > 0; });
        if (sleepingCount() == 0) {
            if (std::chrono::steady_clock::now() > giveUp)
                return done();
            continue;
        }
        TimePoint earliest = TimePoint::max();
        for (const auto& sleeper : sleepers_) {
            if (sleeper.waiting())
                earliest = std::min(earliest, sleeper.deadline);
        }
        lock.unlock();
        if (done())
            return true;
        advanceTo(earliest);
        giveUp = std::chrono::steady_clock::now() + kRealTimeLimit;
    }
}

bool VirtualClock::waitForSleepers(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kRealTimeLimit, [&] { return sleepingCount() >= count; });
}

} // namespace strumvale::sound
