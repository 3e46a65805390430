#include "model/tab_in_tuning.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

namespace strumvale::model {
std::string tabInTuning(std::string_view standardTab, std::string_view tuningNotes) {
    // Split as everything else splits: a text of another token count reads as
    // all muted, so it moves nowhere instead of turning into a playable tab.
    const TabTokens tokens = splitTab(standardTab);
    TabTokens moved = tokens;
    for (int k = 0; k < kStringCount; ++k) {
        std::string& entry = moved[static_cast<std::size_t>(k)];
        const std::optional<int> open = noteIndex(tuningNote(tuningNotes, 6 - k));
        // The table is chromatic, so entries count semitones.
        const std::optional<int> standardOpen = noteIndex(tuningNote(kStandardTuningNotes, 6 - k));
        const int fret = fretOf(entry);
        if (!open || !standardOpen || fret < 0)
            continue;
        const int shifted = fret - *open + *standardOpen;
        entry = shifted < 0 ? std::string("x") : std::to_string(shifted);
    }
    return moved == tokens ? std::string(standardTab) : joinTab(moved);
}

} // namespace strumvale::model
