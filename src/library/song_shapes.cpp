#include "library/song_shapes.h"

#include "formats/chordpro_words.h"
#include "formats/song_file.h"
#include "model/tuning_notes.h"
#include "theory/chord_symbol.h"
#include "theory/voicings.h"

#include <algorithm>

namespace strumvale::library {

namespace {

SongShape shapeOf(const std::string& name,
                  const std::vector<std::pair<std::string, std::string>>& definitions,
                  std::span<const model::Chord> chords, std::string_view tuningNotes) {
    const auto defined = std::find_if(definitions.begin(), definitions.end(),
                                      [&](const auto& d) { return d.first == name; });
    if (defined != definitions.end())
        return {name, defined->second, SongShape::Source::Defined};
    if (tuningNotes == model::kStandardTuningNotes) {
        const auto named =
            std::find_if(chords.begin(), chords.end(),
                         [&](const model::Chord& chord) { return chord.Name == name; });
        if (named != chords.end())
            return {name, named->Tab, SongShape::Source::Library};
    }
    if (const std::optional<theory::ChordSymbol> symbol = theory::parseChordSymbol(name)) {
        const std::vector<std::string> voicings =
            theory::findVoicings(*symbol, tuningNotes, {.count = 1, .highestFret = 12});
        if (!voicings.empty())
            return {name, voicings.front(), SongShape::Source::Finder};
    }
    return {name, {}, SongShape::Source::Unknown};
}

} // namespace

std::vector<SongShape> songShapes(const model::Song& song, std::span<const model::Chord> chords,
                                  std::string_view tuningNotes) {
    const auto definitions = formats::songDefinitions(song);
    std::vector<SongShape> shapes;
    for (const std::string& name : model::chordSequence(song)) {
        const bool seen = std::any_of(shapes.begin(), shapes.end(),
                                      [&](const SongShape& shape) { return shape.name == name; });
        if (!seen)
            shapes.push_back(shapeOf(name, definitions, chords, tuningNotes));
    }
    return shapes;
}

SongShape chordShape(const std::string& name, std::span<const model::Chord> chords,
                     std::string_view tuningNotes) {
    return shapeOf(name, {}, chords, tuningNotes);
}

std::vector<model::Chord> songDiagrams(const std::vector<SongShape>& shapes) {
    std::vector<model::Chord> diagrams;
    for (const SongShape& shape : shapes) {
        if (shape.source == SongShape::Source::Unknown)
            continue;
        const std::string name = formats::chordpro::toCore(shape.name);
        diagrams.emplace_back(model::chordRootOf(name), name, shape.tab);
    }
    return diagrams;
}

} // namespace strumvale::library
