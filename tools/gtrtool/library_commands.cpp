#include "command.h"
#include "errors.h"
#include "formats/drum_pattern_text.h"
#include "formats/text_numbers.h"
#include "library/chord_library.h"
#include "library_access.h"
#include "model/settings.h"
#include "output.h"

#include <cstdio>
#include <optional>

namespace gtrtool {
namespace {

using strumvale::ChordLibrary;

// Loads FILE into a library that neither reads settings nor opens a device,
// then runs body on it; a reader failure is exit status 1.
template <typename Body> int withLibrary(const std::string& path, Body body) {
    return reportingErrors([&] {
        ChordLibrary library;
        if (!loadChordfileOrReport(library, path))
            return ReadFailed;
        body(library);
        return Success;
    });
}

void printLine(const std::string& label, const std::string& value) {
    std::string line = label + fieldText(value) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

// CR LF as LF. Copied rather than replaced in place, which also keeps g++ 12's
// optimiser from a false overlap warning about the in-place replacement.
std::string unixLineEnds(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        lines += text[i];
    }
    return lines;
}

} // namespace

int runInfo(const Arguments& arguments) {
    if (arguments.size() != 1)
        return usageError();
    return withLibrary(arguments[0], [](const ChordLibrary& library) {
        printLine("Author: ", library.Author);
        printLine("Homepage: ", library.Homepage);
        printLine("Info: ", library.Info);
        std::printf("%s\n", unixLineEnds(library.StatisticsText()).c_str());
    });
}

int runChords(const Arguments& arguments) {
    std::optional<std::string> key, search;
    if (arguments.size() == 3 && arguments[1] == "--key")
        key = argumentText(arguments[2]);
    else if (arguments.size() == 3 && arguments[1] == "--search")
        search = argumentText(arguments[2]);
    else if (arguments.size() != 1)
        return usageError();
    return withLibrary(arguments[0], [&](ChordLibrary& library) {
        strumvale::model::ValueList<strumvale::model::Chord> chords = library.Chords;
        if (key) {
            chords.RemoveAll();
            library.ChordsOfKey(*key, chords);
        } else if (search) {
            library.searchChords(*search);
            chords = library.SearchResults;
        }
        for (const auto& chord : chords.items())
            printRecord({chord.RootNote, chord.Name, chord.Tab});
    });
}

int runScales(const Arguments& arguments) {
    if (arguments.size() != 1)
        return usageError();
    return withLibrary(arguments[0], [](const ChordLibrary& library) {
        for (const auto& scale : library.Scales.items())
            printRecord({scale.Name, scale.Intervals(), scale.Notes(), scale.Description});
    });
}

int runTunings(const Arguments& arguments) {
    if (arguments.size() != 1)
        return usageError();
    return withLibrary(arguments[0], [](const ChordLibrary& library) {
        for (const auto& tuning : library.Tunings.items())
            printRecord({tuning.Name, tuning.Notes});
    });
}

int runPatterns(const Arguments& arguments) {
    using namespace strumvale::formats;
    if (arguments.size() != 1)
        return usageError();
    return withLibrary(arguments[0], [](const ChordLibrary& library) {
        for (const auto& pattern : library.DrumPatterns.items())
            printRecord({pattern.Name, decimalText(pattern.Tempo),
                         trackValuesText(pattern.Instruments), trackValuesText(pattern.Volumes),
                         patternText(pattern.Pattern)});
    });
}

int runResave(const Arguments& arguments) {
    if (arguments.size() != 2)
        return usageError();
    return withLibrary(arguments[0],
                       [&](const ChordLibrary& library) { library.SaveChordfile(arguments[1]); });
}

int runTranslate(const Arguments& arguments) {
    if (arguments.size() < 2)
        return usageError();
    return reportingErrors([&] {
        ChordLibrary library;
        if (!library.LoadLanguage(arguments[0])) {
            std::fprintf(stderr, "cannot read %s\n", arguments[0].c_str());
            return ReadFailed;
        }
        for (std::size_t i = 1; i < arguments.size(); ++i)
            printRecord({library.Translate(argumentText(arguments[i]))});
        return Success;
    });
}

} // namespace gtrtool
