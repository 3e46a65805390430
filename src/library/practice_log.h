#pragma once

#include "formats/practice_log.h"

#include <optional>
#include <string>
#include <vector>

namespace strumvale::library {

// One day's best result for a pair of chords.
struct DayResult {
    std::string date;
    double changesPerMinute = 0;
};

// The drill's results as the program keeps them: read once, and written
// whole after every new one. A damaged log is kept aside before the first
// write, so nothing in it is lost.
class PracticeLog {
public:
    // The log in the user's data folder; raises platform::FileError when the
    // folder cannot be made.
    static std::string defaultPath();

    explicit PracticeLog(std::string path);

    const std::string& path() const { return path_; }
    const std::vector<model::PracticeRecord>& records() const { return records_; }
    // What reading found: a missing or damaged log starts afresh.
    formats::PracticeLogRead::State state() const { return state_; }
    int unreadable() const { return unreadable_; }
    // Where a damaged log was kept, once a write has kept it.
    const std::optional<std::string>& keptAt() const { return keptAt_; }

    // Adds record and writes the log; raises platform::FileError, in which
    // case the record is not kept either.
    void add(model::PracticeRecord record);

    // The chords of every pair drilled, the weakest most recent result first.
    std::vector<std::vector<std::string>> pairsWeakestFirst() const;
    // The pair's best result of each day it was drilled, in date order.
    std::vector<DayResult> progress(const std::vector<std::string>& chords) const;

private:
    std::string path_;
    std::vector<model::PracticeRecord> records_;
    formats::PracticeLogRead::State state_;
    int unreadable_ = 0;
    std::optional<std::string> keptAt_;
};

} // namespace strumvale::library
