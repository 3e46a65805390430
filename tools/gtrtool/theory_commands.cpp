#include "command.h"
#include "library_access.h"
#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "theory/chord_naming.h"
#include "theory/voicings.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace gtrtool {
namespace {

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

} // namespace

int runName(const Arguments& arguments) {
    std::string tuning(strumvale::model::kStandardTuningNotes);
    if (arguments.size() == 3 && arguments[1] == "--tuning") {
        const std::optional<std::string> chosen = tuningArgument(arguments[2]);
        if (!chosen)
            return usageError();
        tuning = *chosen;
    } else if (arguments.size() != 1) {
        return usageError();
    }
    const std::vector<std::string> names = strumvale::theory::nameFingering(arguments[0], tuning);
    printLines(names);
    return names.empty() ? ReadFailed : Success;
}

int runVoicings(const Arguments& arguments) {
    if (arguments.empty())
        return usageError();
    std::string tuning(strumvale::model::kStandardTuningNotes);
    strumvale::theory::VoicingLimits limits;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            return usageError();
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        if (option == "--tuning") {
            const std::optional<std::string> chosen = tuningArgument(value);
            if (!chosen)
                return usageError();
            tuning = *chosen;
        } else if (option == "--limit") {
            const std::optional<int> count = numberArgument(value, 1, 1000);
            if (!count)
                return usageError();
            limits.count = *count;
        } else if (option == "--max-fret") {
            const std::optional<int> fret = numberArgument(value, 0, 24);
            if (!fret)
                return usageError();
            if (!strumvale::model::isFretOnTheNeck(*fret)) {
                std::fprintf(stderr, "--max-fret %d: %s\n", *fret,
                             strumvale::model::beyondTheNeck(*fret).c_str());
                return usageError();
            }
            limits.highestFret = *fret;
        } else {
            return usageError();
        }
    }
    const std::optional<strumvale::theory::ChordSymbol> symbol =
        strumvale::theory::parseChordSymbol(arguments[0]);
    if (!symbol) {
        std::fprintf(stderr, "gtrtool: \"%s\" is no chord name\n", arguments[0].c_str());
        return ReadFailed;
    }
    const std::vector<std::string> tabs = strumvale::theory::findVoicings(*symbol, tuning, limits);
    printLines(tabs);
    return tabs.empty() ? ReadFailed : Success;
}

} // namespace gtrtool
