#include "library_access.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <charconv>
#include <cstdio>

namespace gtrtool {

bool loadChordfileOrReport(strumvale::ChordLibrary& library, const std::string& path) {
    if (library.LoadChordfile(path))
        return true;
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
}

std::optional<std::string> tuningArgument(const std::string& notes) {
    int count = 1;
    for (char c : notes)
        count += c == ',' ? 1 : 0;
    if (count != strumvale::model::kStringCount)
        return std::nullopt;
    for (int string = 1; string <= strumvale::model::kStringCount; ++string) {
        if (!strumvale::model::noteIndex(strumvale::model::tuningNote(notes, string)))
            return std::nullopt;
    }
    return notes;
}

std::optional<int> numberArgument(const std::string& text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest)
        return std::nullopt;
    return value;
}

} // namespace gtrtool
