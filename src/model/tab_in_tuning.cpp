#include "model/tab_in_tuning.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <array>

namespace strumvale::model {
namespace {

// Note-table entries of the open strings in standard tuning, string 6 first:
// E1, A1, D2, G2, B2, E3. The table is chromatic, so entries count semitones.
constexpr std::array<int, kStringCount> kStandardOpenEntries = {24, 29, 34, 39, 43, 48};

} // namespace

std::string tabInTuning(std::string_view standardTab, std::string_view tuningNotes) {
    // Split as everything else splits: a text of another token count reads as
    // all muted, so it moves nowhere instead of turning into a playable tab.
    const TabTokens tokens = splitTab(standardTab);
    TabTokens moved = tokens;
    for (int k = 0; k < kStringCount; ++k) {
        std::string& entry = moved[static_cast<std::size_t>(k)];
        const std::optional<int> open = noteIndex(tuningNote(tuningNotes, 6 - k));
        const int fret = fretOf(entry);
        if (!open || fret < 0)
            continue;
        const int shifted = fret - *open + kStandardOpenEntries[static_cast<std::size_t>(k)];
        entry = shifted < 0 ? std::string("x") : std::to_string(shifted);
    }
    return moved == tokens ? std::string(standardTab) : joinTab(moved);
}

} // namespace strumvale::model
