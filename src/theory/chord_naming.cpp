#include "theory/chord_naming.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace strumvale::theory {
namespace {

// The intervals above root that the tones make.
ToneSet intervalsAbove(ToneSet tones, int root) {
    ToneSet intervals = 0;
    for (int pitch = 0; pitch < 12; ++pitch) {
        if ((tones & tone(pitch)) != 0)
            intervals |= tone(pitch - root);
    }
    return intervals;
}

// The namer's costs, lowest first. A quality's cost says how far it is from
// a plain triad; a bass's cost how unusual it is under that quality.
constexpr int kTriad = 0;
constexpr int kPlainColour = 1;    // power chord, sus, dim, aug
constexpr int kSixthOrSeventh = 2; // the four-note chords of every chart
constexpr int kAddedOrNinth = 3;
constexpr int kExtended = 4;
constexpr int kAltered = 5; // every quality not listed below
constexpr int kRootInBass = 0;
constexpr int kThirdInBass = 1; // the first inversion: Em/G before G6
constexpr int kFifthInBass = 2;
constexpr int kSeventhInBass = 2; // or the sixth
constexpr int kExtensionInBass = 3;
// A triad over a bass note outside it still leads what costs more than a
// four-note chord (C/D before D11), never a four-note chord itself (Am7
// before C/A).
constexpr int kBassOutsideTheChord = 3;

constexpr std::pair<std::string_view, int> kQualityCosts[] = {
    {"", kTriad},
    {"m", kTriad},
    {"5", kPlainColour},
    {"sus4", kPlainColour},
    {"sus2", kPlainColour},
    {"dim", kPlainColour},
    {"aug", kPlainColour},
    {"7", kSixthOrSeventh},
    {"m7", kSixthOrSeventh},
    {"maj7", kSixthOrSeventh},
    {"6", kSixthOrSeventh},
    {"m6", kSixthOrSeventh},
    {"dim7", kSixthOrSeventh},
    {"m7b5", kSixthOrSeventh},
    {"7sus4", kSixthOrSeventh},
    {"m(maj7)", kSixthOrSeventh},
    {"add9", kAddedOrNinth},
    {"madd9", kAddedOrNinth},
    {"add11", kAddedOrNinth},
    {"madd11", kAddedOrNinth},
    {"9", kAddedOrNinth},
    {"m9", kAddedOrNinth},
    {"maj9", kAddedOrNinth},
    {"6/9", kAddedOrNinth},
    {"m6/9", kAddedOrNinth},
    {"7sus2", kAddedOrNinth},
    {"7b5", kExtended},
    {"7#5", kExtended},
    {"7b9", kExtended},
    {"7#9", kExtended},
    {"11", kExtended},
    {"m11", kExtended},
    {"13", kExtended},
    {"maj13", kExtended},
    {"m13", kExtended},
    {"9sus4", kExtended},
    {"13sus4", kExtended},
    {"7#11", kExtended},
    {"maj7#11", kExtended},
    {"maj7#5", kExtended},
};

int qualityCost(const Quality& quality) {
    for (const auto& [suffix, cost] : kQualityCosts) {
        if (suffix == quality.suffix)
            return cost;
    }
    return kAltered;
}

// The cost of the tone interval semitones above the root as the bass.
int bassCost(const Quality& quality, int interval) {
    const ToneSet allowed = quality.required | quality.optional;
    const bool hasThird = (allowed & (tone(3) | tone(4))) != 0;
    const bool hasFifth = (allowed & tone(7)) != 0;
    switch (interval) {
    case 0:
        return kRootInBass;
    case 3:
        return (allowed & tone(4)) != 0 ? kExtensionInBass : kThirdInBass;
    case 4:
        return kThirdInBass;
    case 2:
    case 5: // the tone a sus chord has for its third
        return hasThird ? kExtensionInBass : kThirdInBass;
    case 6:
    case 8: // the fifth of dim and aug, else the eleventh or thirteenth
        return hasFifth ? kExtensionInBass : kFifthInBass;
    case 7:
        return kFifthInBass;
    case 9:
        return (allowed & (tone(10) | tone(11))) != 0 ? kExtensionInBass : kSeventhInBass;
    case 10:
    case 11:
        return kSeventhInBass;
    default:
        return kExtensionInBass;
    }
}

struct Candidate {
    ChordSymbol symbol;
    int cost = 0;
    int bassKind = 0; // 0 the root, 1 a chord tone, 2 outside the chord
};

// Every quality that tones make over root, exactly.
template <typename Found> void eachQuality(ToneSet tones, int root, Found&& found) {
    const ToneSet intervals = intervalsAbove(tones, root);
    for (const Quality& quality : qualities()) {
        const ToneSet allowed = quality.required | quality.optional;
        if ((intervals & quality.required) == quality.required && (intervals & ~allowed) == 0)
            found(quality);
    }
}

} // namespace

std::optional<Sounding> soundingOfNotes(std::span<const int> midiNotes) {
    if (midiNotes.empty())
        return std::nullopt;
    Sounding sounding;
    const auto lowest = std::min_element(midiNotes.begin(), midiNotes.end());
    sounding.bass = *lowest % 12;
    sounding.noteCount = static_cast<int>(midiNotes.size());
    for (auto it = midiNotes.begin(); it != midiNotes.end(); ++it) {
        sounding.tones |= tone(*it % 12);
        if (it != lowest)
            sounding.above |= tone(*it % 12);
    }
    return sounding;
}

std::optional<Sounding> soundingOf(std::string_view tab, std::string_view tuningNotes) {
    if (!model::isValidTab(tab))
        return std::nullopt;
    const model::TabTokens tokens = model::splitTab(tab);
    std::vector<int> notes;
    for (int index = 0; index < model::kStringCount; ++index) {
        const model::TokenMeaning meaning =
            model::readToken(tokens[static_cast<std::size_t>(index)]);
        if (meaning.kind != model::TokenMeaning::Kind::Fret)
            continue;
        const std::string open = model::tuningNote(tuningNotes, model::kStringCount - index);
        if (const std::optional<int> entry = model::noteAtFret(open, meaning.fret))
            notes.push_back(model::midiNumber(*entry));
    }
    return soundingOfNotes(notes);
}

std::vector<ChordSymbol> nameSounding(const Sounding& sounding) {
    std::vector<ChordSymbol> names;
    const ToneSet tones = sounding.tones;
    const int bass = sounding.bass;
    if (std::popcount(tones) < 2)
        return names;
    std::vector<Candidate> candidates;
    for (int root = 0; root < 12; ++root) {
        if ((tones & tone(root)) == 0)
            continue;
        eachQuality(tones, root, [&](const Quality& quality) {
            Candidate candidate{{root, &quality, std::nullopt}, qualityCost(quality), 0};
            if (bass != root) {
                candidate.symbol.bass = bass;
                candidate.cost += bassCost(quality, (bass - root + 12) % 12);
                candidate.bassKind = 1;
            }
            candidates.push_back(candidate);
        });
    }
    // A bass sounding alone under a chord of three or more tones that lacks it.
    const ToneSet above = sounding.above & tones;
    if ((above & tone(bass)) == 0 && std::popcount(above) >= 3) {
        for (int root = 0; root < 12; ++root) {
            if ((above & tone(root)) == 0)
                continue;
            eachQuality(above, root, [&](const Quality& quality) {
                if (((quality.required | quality.optional) & tone(bass - root)) != 0)
                    return; // a chord tone after all, named above
                candidates.push_back(
                    {{root, &quality, bass}, qualityCost(quality) + kBassOutsideTheChord, 2});
            });
        }
    }
    std::vector<std::tuple<int, int, int, std::ptrdiff_t, std::size_t, std::size_t>> keys;
    keys.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Candidate& candidate = candidates[i];
        keys.emplace_back(candidate.cost, candidate.bassKind,
                          std::popcount(candidate.symbol.quality->required),
                          candidate.symbol.quality - qualities().data(),
                          formatChordSymbol(candidate.symbol).size(), i);
    }
    std::sort(keys.begin(), keys.end());
    names.reserve(keys.size());
    for (const auto& key : keys)
        names.push_back(candidates[std::get<5>(key)].symbol);
    return names;
}

std::vector<ChordSymbol> nameTones(ToneSet tones, int bass) {
    Sounding sounding;
    sounding.tones = tones;
    sounding.bass = ((bass % 12) + 12) % 12;
    sounding.noteCount = std::popcount(tones);
    sounding.above = tones & ~tone(bass);
    return nameSounding(sounding);
}

std::vector<std::string> nameNotes(std::span<const int> midiNotes) {
    std::vector<std::string> names;
    if (const std::optional<Sounding> sounding = soundingOfNotes(midiNotes)) {
        for (const ChordSymbol& symbol : nameSounding(*sounding))
            names.push_back(formatChordSymbol(symbol, SpellingContext{}));
    }
    return names;
}

std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes) {
    return nameFingering(tab, tuningNotes, SpellingContext{});
}

std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes,
                                       const SpellingContext& context) {
    std::vector<std::string> names;
    if (const std::optional<Sounding> sounding = soundingOf(tab, tuningNotes)) {
        for (const ChordSymbol& symbol : nameSounding(*sounding))
            names.push_back(formatChordSymbol(symbol, context));
    }
    return names;
}

} // namespace strumvale::theory
