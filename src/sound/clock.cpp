#include "sound/clock.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace strumvale::sound {
namespace {

class SteadyClock : public Clock {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }

    bool sleepUntil(TimePoint deadline, std::stop_token stop) override {
        if (!stop.stop_possible()) {
            std::this_thread::sleep_until(deadline);
            return true;
        }
        // A condition variable rather than a plain sleep, so that a stop
        // request ends the wait at once; it too waits for the absolute time.
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::unique_lock lock(mutex);
        wakeUp.wait_until(lock, stop, deadline, [] { return false; });
        return !stop.stop_requested();
    }
};

} // namespace

Clock& steadyClock() {
    static SteadyClock clock;
    return clock;
}

} // namespace strumvale::sound
