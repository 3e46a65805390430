#include "fretboard/view_descriptions.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/playlist.h"
#include "model/tuning_notes.h"

#include <algorithm>

namespace strumvale::fretboard {

namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty())
            text += ' ';
        text += item;
    }
    return text;
}

} // namespace

bool isSharpPitchClass(std::string_view text) {
    const auto& sequence = model::pitchClassSequence();
    return std::find(sequence.begin(), sequence.begin() + 12, text) != sequence.begin() + 12;
}

std::optional<std::string> describeChord(std::string_view tab, std::string_view tuningNotes) {
    if (tab.empty())
        return std::string();
    if (!model::isValidTab(tab))
        return std::nullopt;
    const model::TabTokens tokens = model::splitTab(tab);
    std::vector<std::string> notes;
    for (int k = 0; k < model::kStringCount; ++k) {
        const int fret = model::fretOf(tokens[static_cast<std::size_t>(k)]);
        // A muted string sounds nothing; a hand-written open note outside the
        // table names none.
        const std::optional<int> entry =
            fret < 0
                ? std::nullopt
                : model::noteAtFret(model::tuningNote(tuningNotes, model::kStringCount - k), fret);
        if (entry)
            notes.emplace_back(model::noteTable()[static_cast<std::size_t>(*entry)]);
    }
    std::string text = model::joinTab(tokens);
    if (!notes.empty())
        text += ": " + joined(notes);
    return text;
}

std::optional<std::string> describeScale(const model::Scale& scale, int keyOffset) {
    const std::vector<std::string> notes = scale.noteList();
    if (!std::all_of(notes.begin(), notes.end(),
                     [](const std::string& note) { return isSharpPitchClass(note); }))
        return std::nullopt;
    return joined(model::transposePitchClasses(notes, ((keyOffset % 12) + 12) % 12));
}

std::string describePlaylist(const std::vector<model::Chord>& chords) {
    std::string text;
    bool afterChord = false;
    for (const model::Chord& chord : chords) {
        if (model::Playlist::isSeparator(chord)) {
            text += text.empty() ? "|" : " |";
            afterChord = false;
            continue;
        }
        if (!text.empty())
            text += afterChord ? ", " : " ";
        text += chord.Name;
        afterChord = true;
    }
    return text;
}

} // namespace strumvale::fretboard
