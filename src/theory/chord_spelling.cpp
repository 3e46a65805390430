#include "theory/chord_spelling.h"

#include "model/notes.h"

#include <array>
#include <cstdlib>

namespace strumvale::theory {
namespace {

int pitchClassOf(int semitones) {
    return ((semitones % 12) + 12) % 12;
}

// Letters from C, and the pitch class each names without an accidental.
constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::array<int, 7> kLetterPitches = {0, 2, 4, 5, 7, 9, 11};

struct Spelling {
    int letter = 0;     // index into kLetters
    int accidental = 0; // -1 flat, 0 natural, +1 sharp

    std::string text() const {
        std::string written(1, kLetters[static_cast<std::size_t>(letter)]);
        if (accidental != 0)
            written += accidental > 0 ? '#' : 'b';
        return written;
    }
};

Spelling spelledWith(int pitchClass, bool flats) {
    for (int letter = 0; letter < 7; ++letter) {
        if (kLetterPitches[static_cast<std::size_t>(letter)] == pitchClass)
            return {letter, 0};
    }
    // A black key: the letter below sharpened or the letter above flattened.
    for (int letter = 0; letter < 7; ++letter) {
        const int natural = kLetterPitches[static_cast<std::size_t>(letter)];
        if (!flats && pitchClassOf(natural + 1) == pitchClass)
            return {letter, 1};
        if (flats && pitchClassOf(natural - 1) == pitchClass)
            return {letter, -1};
    }
    return {};
}

bool isMinorChord(const Quality& quality) {
    return (quality.required & tone(3)) != 0 &&
           ((quality.required | quality.optional) & tone(4)) == 0;
}

Accidentals sideOf(const SpellingContext& context) {
    if (context.keyRoot) {
        const Accidentals side = keySide(*context.keyRoot, context.keyIsMinor);
        if (side != Accidentals::ByChord)
            return side;
    }
    return context.prefer;
}

Spelling rootSpelling(const ChordSymbol& symbol, const SpellingContext& context) {
    const int root = pitchClassOf(symbol.root);
    // A minor key raises its seventh from the letter below the tonic: C#dim7
    // and C#m7b5 in D minor, F#dim7 in G minor.
    if (context.keyRoot && context.keyIsMinor && root == pitchClassOf(*context.keyRoot - 1))
        return spelledWith(root, false);
    switch (sideOf(context)) {
    case Accidentals::Sharps:
        return spelledWith(root, false);
    case Accidentals::Flats:
        return spelledWith(root, true);
    case Accidentals::ByChord:
        break;
    }
    const bool minor = symbol.quality != nullptr && isMinorChord(*symbol.quality);
    const bool majorThird = symbol.quality != nullptr && (symbol.quality->required & tone(4)) != 0;
    switch (root) {
    case 1: // C#m, C#dim, C#sus4, C#5; Db, Db7, Dbmaj7
        return spelledWith(root, majorThird);
    case 8: // G#m, G#m7, G#dim; Ab, Ab7, Ab5
        return spelledWith(root, !minor);
    default: // Eb, F#, Bb for every chord
        return spelledWith(
            root, model::kChordRootSpellings[static_cast<std::size_t>(root)].ends_with('b'));
    }
}

// How many letters above the root an interval of the quality is written:
// 3 semitones is a minor third, or a raised ninth beside a major third; 6 a
// lowered fifth, or a raised eleventh beside a fifth; 8 a raised fifth, or a
// lowered thirteenth beside a fifth; 9 a sixth, also in a diminished seventh.
int lettersAbove(int interval, ToneSet allowed) {
    switch (interval) {
    case 0:
        return 0;
    case 1:
    case 2:
        return 1;
    case 3:
        return (allowed & tone(4)) != 0 ? 1 : 2;
    case 4:
        return 2;
    case 5:
        return 3;
    case 6:
        return (allowed & tone(7)) != 0 ? 3 : 4;
    case 7:
        return 4;
    case 8:
        return (allowed & tone(7)) != 0 ? 5 : 4;
    case 9:
        return 5;
    default:
        return 6;
    }
}

// The side a tone outside the chord is spelled by: the root's own accidental,
// else the key the chord names (F and Dm flats, G and Em sharps), else the
// common spelling (C/Bb, Am/F#).
bool flatsBeside(const ChordSymbol& symbol, const Spelling& root, const SpellingContext& context,
                 int pitchClass) {
    const Accidentals side = sideOf(context);
    if (side != Accidentals::ByChord)
        return side == Accidentals::Flats;
    if (root.accidental != 0)
        return root.accidental < 0;
    const bool minor = symbol.quality != nullptr && isMinorChord(*symbol.quality);
    switch (keySide(symbol.root, minor)) {
    case Accidentals::Sharps:
        return false;
    case Accidentals::Flats:
        return true;
    case Accidentals::ByChord:
        break;
    }
    return model::kChordRootSpellings[static_cast<std::size_t>(pitchClass)].ends_with('b');
}

} // namespace

std::string_view pitchClassName(int pitchClass) {
    return model::kChordRootSpellings[static_cast<std::size_t>(pitchClassOf(pitchClass))];
}

Accidentals keySide(int keyRoot, bool keyIsMinor) {
    // The relative major's place on the circle of fifths: C 0, G 1 ... F# 6;
    // F -1 ... Db -5. F# and Gb both have six; F# is the one guitarists meet.
    const int major = pitchClassOf(keyRoot + (keyIsMinor ? 3 : 0));
    const int fifths = pitchClassOf(major * 7);
    if (fifths == 0)
        return Accidentals::ByChord;
    return fifths <= 6 ? Accidentals::Sharps : Accidentals::Flats;
}

std::string rootName(const ChordSymbol& symbol, const SpellingContext& context) {
    return rootSpelling(symbol, context).text();
}

std::string bassName(const ChordSymbol& symbol, const SpellingContext& context) {
    if (!symbol.bass)
        return {};
    const int bass = pitchClassOf(*symbol.bass);
    const Spelling root = rootSpelling(symbol, context);
    const ToneSet allowed =
        symbol.quality != nullptr ? symbol.quality->required | symbol.quality->optional : 0;
    const int interval = pitchClassOf(bass - symbol.root);
    if ((allowed & tone(interval)) != 0) {
        Spelling spelled;
        spelled.letter = (root.letter + lettersAbove(interval, allowed)) % 7;
        const int natural = kLetterPitches[static_cast<std::size_t>(spelled.letter)];
        spelled.accidental = pitchClassOf(bass - natural + 6) - 6;
        // No double accidentals, and none of E#, B#, Cb, Fb: charts write F, C, B, E.
        const bool white = spelledWith(bass, false).accidental == 0;
        if (std::abs(spelled.accidental) <= 1 && (spelled.accidental == 0 || !white))
            return spelled.text();
    }
    // A semitone from the root is a neighbour, not an alteration of the root's
    // letter: Dm/C# and Gm/F# below, D/Eb above.
    if (interval == 11 || interval == 1) {
        const bool below = interval == 11;
        const Spelling neighbour = spelledWith(bass, !below);
        if (neighbour.letter != root.letter)
            return neighbour.text();
    }
    return spelledWith(bass, flatsBeside(symbol, root, context, bass)).text();
}

std::string formatChordSymbol(const ChordSymbol& symbol) {
    return formatChordSymbol(symbol, SpellingContext{});
}

std::string formatChordSymbol(const ChordSymbol& symbol, const SpellingContext& context) {
    std::string text = rootName(symbol, context);
    if (symbol.quality != nullptr)
        text += symbol.quality->suffix;
    if (symbol.bass) {
        text += '/';
        text += bassName(symbol, context);
    }
    return text;
}

} // namespace strumvale::theory
