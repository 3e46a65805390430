#pragma once

#include "model/practice_record.h"

#include <string>
#include <vector>

// "practice-log.xml": the drill's results, one Record element each, in the
// order they were made. Chord names are kept as the chordfile spells them.
namespace strumvale::formats {

inline constexpr const char* kPracticeLogFileName = "practice-log.xml";

struct PracticeLogRead {
    enum class State {
        Read,    // every record was read
        Missing, // no log yet: a new one starts
        Damaged, // not a log, or some records were unreadable
    };
    State state = State::Missing;
    std::vector<model::PracticeRecord> records; // every readable one
    int unreadable = 0;                         // records left out
};

PracticeLogRead readPracticeLog(const std::string& path);

std::string practiceLogText(const std::vector<model::PracticeRecord>& records);

// Replaces the log whole or not at all; raises platform::FileError.
void writePracticeLog(const std::string& path, const std::vector<model::PracticeRecord>& records);

// A damaged log is kept beside itself, never written over, before a new one
// is written: "practice-log.damaged.xml", then ".damaged-2.xml" and on. The
// path it was kept at; raises platform::FileError when it cannot be kept.
std::string keepDamagedLog(const std::string& path);

} // namespace strumvale::formats
