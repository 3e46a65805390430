#pragma once

#include "library/chord_library.h"

#include <optional>
#include <string>

namespace gtrtool {

// Loads the chordfile; a reader failure prints "cannot read PATH" and is false.
bool loadChordfileOrReport(strumvale::ChordLibrary& library, const std::string& path);

// The whole text as a number from lowest to highest; none otherwise.
std::optional<int> numberArgument(const std::string& text, int lowest, int highest);

// A --tuning argument of six notes of the note table, string 6 first, or none.
std::optional<std::string> tuningArgument(const std::string& notes);

// The first record named exactly name, or none.
template <typename Record>
const Record* findNamed(const strumvale::model::ValueList<Record>& list, const std::string& name) {
    for (const auto& record : list.items()) {
        if (record.Name == name)
            return &record;
    }
    return nullptr;
}

} // namespace gtrtool
