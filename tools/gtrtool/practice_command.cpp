#include "command.h"
#include "errors.h"
#include "formats/practice_log.h"
#include "library/practice_log.h"
#include "output.h"

#include <cstdio>
#include <string>

namespace gtrtool {

namespace {

std::string oneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

int runPracticeLog(const Arguments& arguments) {
    if (arguments.size() > 1)
        return usageError();
    return reportingErrors([&] {
        const std::string path =
            arguments.empty() ? strumvale::library::PracticeLog::defaultPath() : arguments[0];
        const strumvale::formats::PracticeLogRead read = strumvale::formats::readPracticeLog(path);
        using State = strumvale::formats::PracticeLogRead::State;
        if (read.state == State::Missing) {
            std::fprintf(stderr, "gtrtool: %s: no practice log\n", path.c_str());
            return int(ReadFailed);
        }
        for (const strumvale::model::PracticeRecord& record : read.records) {
            std::string chords;
            for (const std::string& chord : record.chords)
                chords += (chords.empty() ? "" : " ") + chord;
            printRecord({record.date, chords, oneDecimal(record.changesPerMinute),
                         std::to_string(record.tempo)});
        }
        if (read.state == State::Damaged) {
            if (read.records.empty() && read.unreadable == 0)
                std::fprintf(stderr, "gtrtool: %s: not a practice log\n", path.c_str());
            else
                std::fprintf(stderr, "gtrtool: %s: %d records could not be read\n", path.c_str(),
                             read.unreadable);
            return int(ReadFailed);
        }
        return int(Success);
    });
}

} // namespace gtrtool
