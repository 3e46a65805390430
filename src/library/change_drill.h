#pragma once

#include "model/practice_record.h"
#include "sound/clock.h"

#include <optional>
#include <string>
#include <vector>

namespace strumvale::library {

// The chord-change drill: two chords or more, changed between in order, for a
// set time; each change is counted as the player makes it.
class ChangeDrill {
public:
    static constexpr std::chrono::seconds kDefaultLength{60};

    // At least two chords; fewer make no drill and nothing counts.
    explicit ChangeDrill(std::vector<std::string> chords,
                         sound::Clock::Duration length = kDefaultLength);

    const std::vector<std::string>& chords() const { return chords_; }
    bool isDrill() const { return chords_.size() >= 2; }
    sound::Clock::Duration length() const { return length_; }

    void start(sound::Clock::TimePoint at);
    // Stops early: the result counts the time it ran.
    void stop(sound::Clock::TimePoint at);
    bool isRunning(sound::Clock::TimePoint now) const;
    bool hasRun() const { return started_.has_value(); }
    // Ran its whole length, not stopped early: a result to compare.
    bool ranItsLength() const { return started_ && ranFor() >= length_; }
    sound::Clock::Duration remaining(sound::Clock::TimePoint now) const;

    // The chord to play now and the one after it.
    const std::string& current() const;
    const std::string& next() const;
    // A change to the next chord, made at; counted only while running.
    bool change(sound::Clock::TimePoint at);
    int changes() const { return changes_; }
    // Over the time it ran (its length, unless stopped early); 0 before.
    double changesPerMinute() const;

    // What the log keeps of it, once it has run.
    model::PracticeRecord record(std::string date, int tempo) const;

private:
    sound::Clock::Duration ranFor() const;

    std::vector<std::string> chords_;
    sound::Clock::Duration length_;
    std::optional<sound::Clock::TimePoint> started_;
    std::optional<sound::Clock::TimePoint> stopped_;
    std::size_t at_ = 0;
    int changes_ = 0;
};

} // namespace strumvale::library
