#include "theory/chord_symbol.h"

#include "model/notes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace strumvale::theory {
namespace {

constexpr ToneSet kRoot = tone(0);
constexpr ToneSet kMinorThird = tone(3);
constexpr ToneSet kMajorThird = tone(4);
constexpr ToneSet kFourth = tone(5);
constexpr ToneSet kFlatFifth = tone(6);
constexpr ToneSet kFifth = tone(7);
constexpr ToneSet kSharpFifth = tone(8);
constexpr ToneSet kSixth = tone(9);
constexpr ToneSet kFlatSeventh = tone(10);
constexpr ToneSet kMajorSeventh = tone(11);
constexpr ToneSet kNinth = tone(2);
constexpr ToneSet kFlatNinth = tone(1);
constexpr ToneSet kSharpNinth = tone(3);
constexpr ToneSet kSharpEleventh = tone(6);
constexpr ToneSet kFlatThirteenth = tone(8);

constexpr ToneSet kMajor = kRoot | kMajorThird;
constexpr ToneSet kMinor = kRoot | kMinorThird;

constexpr std::array kQualities = {
    Quality{"", kMajor, kFifth},
    Quality{"m", kMinor, kFifth},
    Quality{"5", kRoot | kFifth, 0},
    Quality{"7", kMajor | kFlatSeventh, kFifth},
    Quality{"m7", kMinor | kFlatSeventh, kFifth},
    Quality{"maj7", kMajor | kMajorSeventh, kFifth},
    Quality{"sus4", kRoot | kFourth | kFifth, 0},
    Quality{"sus2", kRoot | kNinth | kFifth, 0},
    Quality{"6", kMajor | kSixth, kFifth},
    Quality{"m6", kMinor | kSixth, kFifth},
    Quality{"dim", kMinor | kFlatFifth, 0},
    Quality{"aug", kMajor | kSharpFifth, 0},
    Quality{"dim7", kMinor | kFlatFifth | kSixth, 0},
    Quality{"m7b5", kMinor | kFlatFifth | kFlatSeventh, 0},
    Quality{"7sus4", kRoot | kFourth | kFlatSeventh, kFifth},
    Quality{"add9", kMajor | kNinth, kFifth},
    Quality{"madd9", kMinor | kNinth, kFifth},
    Quality{"m(maj7)", kMinor | kMajorSeventh, kFifth},
    Quality{"9", kMajor | kFlatSeventh | kNinth, kFifth},
    Quality{"m9", kMinor | kFlatSeventh | kNinth, kFifth},
    Quality{"maj9", kMajor | kMajorSeventh | kNinth, kFifth},
    Quality{"6/9", kMajor | kSixth | kNinth, kFifth},
    Quality{"7b5", kMajor | kFlatFifth | kFlatSeventh, 0},
    Quality{"7#5", kMajor | kSharpFifth | kFlatSeventh, 0},
    Quality{"7b9", kMajor | kFlatSeventh | kFlatNinth, kFifth},
    Quality{"7#9", kMajor | kFlatSeventh | kSharpNinth, kFifth},
    // The eleventh leaves out the third that would clash with it: G11 is G C F
    // with D and A if wanted, the F/G of charts.
    Quality{"11", kRoot | kFourth | kFlatSeventh, kFifth | kNinth},
    Quality{"m11", kMinor | kFlatSeventh | kFourth, kFifth | kNinth},
    Quality{"13", kMajor | kFlatSeventh | kSixth, kFifth | kNinth | kFourth},
    Quality{"maj7#11", kMajor | kMajorSeventh | kSharpEleventh, kFifth},
    Quality{"7#11", kMajor | kFlatSeventh | kSharpEleventh, kFifth},
    Quality{"9#11", kMajor | kFlatSeventh | kNinth | kSharpEleventh, kFifth},
    Quality{"7b13", kMajor | kFlatSeventh | kFlatThirteenth, kFifth},
    Quality{"9sus4", kRoot | kFourth | kFlatSeventh | kNinth, kFifth},
    Quality{"13sus4", kRoot | kFourth | kFlatSeventh | kSixth, kFifth | kNinth},
    Quality{"7sus2", kRoot | kNinth | kFlatSeventh, kFifth},
    Quality{"add11", kMajor | kFourth, kFifth},
    Quality{"madd11", kMinor | kFourth, kFifth},
    Quality{"m6/9", kMinor | kSixth | kNinth, kFifth},
    Quality{"maj13", kMajor | kMajorSeventh | kSixth, kFifth | kNinth},
    Quality{"m13", kMinor | kFlatSeventh | kSixth, kFifth | kNinth | kFourth},
    Quality{"maj7#5", kMajor | kSharpFifth | kMajorSeventh, 0},
    Quality{"13b9", kMajor | kFlatSeventh | kFlatNinth | kSixth, kFifth},
    Quality{"7b9b13", kMajor | kFlatSeventh | kFlatNinth | kFlatThirteenth, kFifth},
    // The altered dominant as guitarists voice it: the raised fifth and ninth,
    // to which the lowered ninth and fifth may be added.
    Quality{"7alt", kMajor | kFlatSeventh | kSharpFifth | kSharpNinth, kFlatNinth | kFlatFifth},
};

// Other spellings of the suffixes, read after spaces and parentheses around
// a whole suffix are dropped. Longest first within a prefix does not matter:
// the whole remaining text must match.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"maj", ""},
    {"M", ""},
    {"major", ""},
    {"min", "m"},
    {"-", "m"},
    {"mi", "m"},
    {"minor", "m"},
    {"M7", "maj7"},
    {"Maj7", "maj7"},
    {"ma7", "maj7"},
    {"\xCE\x94", "maj7"},
    {"\xCE\x94"
     "7",
     "maj7"},
    {"j7", "maj7"},
    {"min7", "m7"},
    {"-7", "m7"},
    {"mi7", "m7"},
    {"min6", "m6"},
    {"-6", "m6"},
    {"\xC2\xB0", "dim"},
    {"o", "dim"},
    {"\xB0", "dim"},
    {"\xC2\xB0"
     "7",
     "dim7"},
    {"o7", "dim7"},
    {"\xB0"
     "7",
     "dim7"},
    {"\xC3\xB8", "m7b5"},
    {"\xC3\xB8"
     "7",
     "m7b5"},
    {"\xF8", "m7b5"},
    {"\xF8"
     "7",
     "m7b5"},
    {"m7-5", "m7b5"},
    {"-7b5", "m7b5"},
    {"min7b5", "m7b5"},
    {"+", "aug"},
    {"+5", "aug"},
    {"#5", "aug"},
    {"sus", "sus4"},
    {"add2", "add9"},
    {"2", "sus2"},
    {"4", "sus4"},
    {"madd2", "madd9"},
    {"minadd9", "madd9"},
    {"mmaj7", "m(maj7)"},
    {"mM7", "m(maj7)"},
    {"m/maj7", "m(maj7)"},
    {"-maj7", "m(maj7)"},
    {"minmaj7", "m(maj7)"},
    {"M9", "maj9"},
    {"Maj9", "maj9"},
    {"\xCE\x94"
     "9",
     "maj9"},
    {"min9", "m9"},
    {"-9", "m9"},
    {"7sus", "7sus4"},
    {"69", "6/9"},
    {"7-5", "7b5"},
    {"7+5", "7#5"},
    {"+7", "7#5"},
    {"aug7", "7#5"},
    {"7-9", "7b9"},
    {"7+9", "7#9"},
    {"min11", "m11"},
    {"-11", "m11"},
    {"7(b9)", "7b9"},
    {"7(#9)", "7#9"},
    {"7(b5)", "7b5"},
    {"7(#5)", "7#5"},
    {"m7(b5)", "m7b5"},
    {"(add9)", "add9"},
    {"m(add9)", "madd9"},
    {"maj7(#11)", "maj7#11"},
    {"Maj7#11", "maj7#11"},
    {"M7#11", "maj7#11"},
    {"maj7+11", "maj7#11"},
    {"\xCE\x94"
     "7#11",
     "maj7#11"},
    {"7(#11)", "7#11"},
    {"7+11", "7#11"},
    {"9(#11)", "9#11"},
    {"9+11", "9#11"},
    {"7(b13)", "7b13"},
    {"7-13", "7b13"},
    {"9sus", "9sus4"},
    {"9(sus4)", "9sus4"},
    {"13sus", "13sus4"},
    {"13(sus4)", "13sus4"},
    {"7(sus2)", "7sus2"},
    {"add4", "add11"},
    {"(add11)", "add11"},
    {"madd4", "madd11"},
    {"m(add11)", "madd11"},
    {"m(add4)", "madd11"},
    {"minadd11", "madd11"},
    {"m69", "m6/9"},
    {"min6/9", "m6/9"},
    {"-6/9", "m6/9"},
    {"-69", "m6/9"},
    {"M13", "maj13"},
    {"Maj13", "maj13"},
    {"ma13", "maj13"},
    {"\xCE\x94"
     "13",
     "maj13"},
    {"min13", "m13"},
    {"mi13", "m13"},
    {"-13", "m13"},
    {"maj7(#5)", "maj7#5"},
    {"maj7+5", "maj7#5"},
    {"M7#5", "maj7#5"},
    {"M7+5", "maj7#5"},
    {"+maj7", "maj7#5"},
    {"augmaj7", "maj7#5"},
    {"13(b9)", "13b9"},
    {"13-9", "13b9"},
    {"7(b9b13)", "7b9b13"},
    {"7(b9,b13)", "7b9b13"},
    {"7b9(b13)", "7b9b13"},
    {"alt", "7alt"},
    {"7#5#9", "7alt"},
    {"7#9#5", "7alt"},
    {"7(#5#9)", "7alt"},
    {"7+5+9", "7alt"},
};

// Reads a letter and its accidental; "H" is B and takes none, as in the
// charts that write it ("Hb" and "H#" are no notes there).
std::optional<int> readNote(std::string_view text, std::size_t& used) {
    if (text.empty())
        return std::nullopt;
    static constexpr std::array<int, 8> kNaturals = {9, 11, 0, 2, 4, 5, 7, 11}; // A..H
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'H')
        return std::nullopt;
    int pitch = kNaturals[static_cast<std::size_t>(letter - 'A')];
    used = 1;
    if (letter != 'H' && text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitch += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return ((pitch % 12) + 12) % 12;
}

const Quality* findQuality(std::string_view suffix) {
    for (const Quality& quality : kQualities) {
        if (quality.suffix == suffix)
            return &quality;
    }
    for (const auto& [alias, canonical] : kAliases) {
        if (alias == suffix)
            return findQuality(canonical);
    }
    return nullptr;
}

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

std::span<const Quality> qualities() {
    return kQualities;
}

ToneSet ChordSymbol::tones() const {
    ToneSet set = 0;
    const ToneSet intervals = quality != nullptr ? quality->required | quality->optional : 0;
    for (int interval = 0; interval < 12; ++interval) {
        if ((intervals & tone(interval)) != 0)
            set |= tone(root + interval);
    }
    if (bass)
        set |= tone(*bass);
    return set;
}

std::optional<ChordSymbol> parseChordSymbol(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ')
            compact += c;
    }
    std::size_t used = 0;
    // The root must be an upper-case letter: "am" is no symbol a reader
    // could tell from a word.
    if (compact.empty() || compact[0] < 'A' || compact[0] > 'H')
        return std::nullopt;
    const std::optional<int> root = readNote(compact, used);
    if (!root)
        return std::nullopt;
    std::string_view rest = std::string_view(compact).substr(used);

    ChordSymbol symbol;
    symbol.root = *root;
    // A bass after the last "/", unless that "/" belongs to "6/9" or "m/maj7".
    const std::size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos) {
        std::size_t bassUsed = 0;
        const std::string_view after = rest.substr(slash + 1);
        const std::optional<int> bass = readNote(after, bassUsed);
        if (bass && bassUsed == after.size() &&
            std::isupper(static_cast<unsigned char>(after[0]))) {
            if (*bass != symbol.root)
                symbol.bass = bass;
            rest = rest.substr(0, slash);
        }
    }
    symbol.quality = findQuality(rest);
    if (symbol.quality == nullptr && rest.size() >= 2 && rest.front() == '(' && rest.back() == ')')
        symbol.quality = findQuality(rest.substr(1, rest.size() - 2));
    if (symbol.quality == nullptr)
        return std::nullopt;
    return symbol;
}

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
