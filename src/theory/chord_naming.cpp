#include "theory/chord_naming.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace strumvale::theory {
namespace {

int pitchClassOfEntry(int entry) {
    return model::midiNumber(entry) % 12;
}

// The intervals above root that the tones make.
ToneSet intervalsAbove(ToneSet tones, int root) {
    ToneSet intervals = 0;
    for (int pitch = 0; pitch < 12; ++pitch) {
        if ((tones & tone(pitch)) != 0)
            intervals |= tone(pitch - root);
    }
    return intervals;
}

} // namespace

std::optional<Sounding> soundingOf(std::string_view tab, std::string_view tuningNotes) {
    if (!model::isValidTab(tab))
        return std::nullopt;
    const model::TabTokens tokens = model::splitTab(tab);
    Sounding sounding;
    int lowest = -1;
    for (int index = 0; index < model::kStringCount; ++index) {
        const model::TokenMeaning meaning =
            model::readToken(tokens[static_cast<std::size_t>(index)]);
        if (meaning.kind != model::TokenMeaning::Kind::Fret)
            continue;
        const std::string open = model::tuningNote(tuningNotes, model::kStringCount - index);
        const std::optional<int> entry = model::noteAtFret(open, meaning.fret);
        if (!entry)
            continue;
        sounding.tones |= tone(pitchClassOfEntry(*entry));
        ++sounding.noteCount;
        if (lowest < 0 || *entry < lowest)
            lowest = *entry;
    }
    if (lowest < 0)
        return std::nullopt;
    sounding.bass = pitchClassOfEntry(lowest);
    return sounding;
}

std::vector<ChordSymbol> nameTones(ToneSet tones, int bass) {
    std::vector<ChordSymbol> names;
    if (std::popcount(tones) < 2)
        return names;
    for (int root = 0; root < 12; ++root) {
        if ((tones & tone(root)) == 0)
            continue;
        const ToneSet intervals = intervalsAbove(tones, root);
        for (const Quality& quality : qualities()) {
            const ToneSet allowed = quality.required | quality.optional;
            if ((intervals & quality.required) != quality.required || (intervals & ~allowed) != 0)
                continue;
            ChordSymbol symbol{root, &quality, std::nullopt};
            if (bass != root)
                symbol.bass = bass;
            names.push_back(symbol);
        }
    }
    const auto rank = [first = qualities().data()](const ChordSymbol& symbol) {
        return std::make_tuple(symbol.bass.has_value(), std::popcount(symbol.quality->required),
                               symbol.quality - first, formatChordSymbol(symbol).size());
    };
    std::stable_sort(names.begin(), names.end(),
                     [&](const ChordSymbol& a, const ChordSymbol& b) { return rank(a) < rank(b); });
    return names;
}

std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes) {
    std::vector<std::string> names;
    if (const std::optional<Sounding> sounding = soundingOf(tab, tuningNotes)) {
        for (const ChordSymbol& symbol : nameTones(sounding->tones, sounding->bass))
            names.push_back(formatChordSymbol(symbol));
    }
    return names;
}

} // namespace strumvale::theory
