#include "theory/song_transposition.h"

#include "theory/chord_symbol.h"

#include <charconv>

namespace strumvale::theory {

namespace {

int pitchClassOf(int semitones) {
    return ((semitones % 12) + 12) % 12;
}

// The pitch class of a note letter alone (H as B).
std::optional<int> letterClass(char letter) {
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
    case 'H':
        return 11;
    default:
        return std::nullopt;
    }
}

// How many bytes of text spell the note pitchClass: its letter, and an
// accidental when the letter alone is another note.
std::size_t noteLength(std::string_view text, int pitchClass) {
    const std::optional<int> letter = text.empty() ? std::nullopt : letterClass(text[0]);
    if (!letter)
        return 0;
    return *letter == pitchClass || text.size() < 2 ? 1 : 2;
}

bool isMinorKey(const ChordSymbol& symbol) {
    return symbol.quality != nullptr && symbol.quality->suffix == "m";
}

} // namespace

std::optional<SpellingContext> keySpelling(std::string_view key) {
    const std::optional<ChordSymbol> symbol = parseChordSymbol(key);
    if (!symbol || symbol->bass)
        return std::nullopt;
    const bool minor = isMinorKey(*symbol);
    if (symbol->quality == nullptr || (!minor && !symbol->quality->suffix.empty()))
        return std::nullopt;
    return SpellingContext{symbol->root, minor, keySide(symbol->root, minor)};
}

std::string transposeChordName(std::string_view name, int semitones,
                               const SpellingContext& context) {
    const std::optional<ChordSymbol> symbol = parseChordSymbol(name);
    if (!symbol)
        return std::string(name);
    const std::size_t rootLength = noteLength(name, symbol->root);
    std::string_view rest = name.substr(rootLength);
    if (symbol->bass) {
        const std::size_t slash = rest.rfind('/');
        if (slash != std::string_view::npos)
            rest = rest.substr(0, slash);
    }
    ChordSymbol moved = *symbol;
    moved.root = pitchClassOf(symbol->root + semitones);
    if (symbol->bass)
        moved.bass = pitchClassOf(*symbol->bass + semitones);
    std::string result = rootName(moved, context);
    result.append(rest);
    if (moved.bass) {
        result.push_back('/');
        result.append(bassName(moved, context));
    }
    return result;
}

namespace {

model::Song moved(const model::Song& song, int semitones, const SpellingContext& chords) {
    model::Song result = song;
    for (model::SongLine& line : result.lines) {
        if (line.kind != model::SongLine::Kind::Lyrics)
            continue;
        for (model::SongChord& chord : line.chords)
            chord.name = transposeChordName(chord.name, semitones, chords);
    }
    return result;
}

// The key moved, spelled as keys are: Bb, not A#.
std::optional<std::string> movedKey(const model::Song& song, int semitones) {
    const std::optional<std::string> key = song.meta("key");
    if (!key || !keySpelling(*key))
        return std::nullopt;
    const std::optional<ChordSymbol> symbol = parseChordSymbol(*key);
    const int root = pitchClassOf(symbol->root + semitones);
    const bool minor = isMinorKey(*symbol);
    return transposeChordName(*key, semitones, {root, minor, keySide(root, minor)});
}

} // namespace

model::Song transposed(const model::Song& song, int semitones) {
    if (pitchClassOf(semitones) == 0)
        return song;
    const std::optional<std::string> key = movedKey(song, semitones);
    const SpellingContext spelling =
        key ? keySpelling(*key).value_or(SpellingContext{}) : SpellingContext{};
    model::Song result = moved(song, semitones, spelling);
    if (key)
        result.setMeta("key", *key);
    return result;
}

model::Song withCapo(const model::Song& song, int capo) {
    const std::optional<std::string> shapesKey = movedKey(song, -capo);
    const SpellingContext spelling =
        shapesKey ? keySpelling(*shapesKey).value_or(SpellingContext{}) : SpellingContext{};
    model::Song result = pitchClassOf(capo) == 0 ? song : moved(song, -capo, spelling);
    result.setMeta("capo", std::to_string(capo));
    return result;
}

namespace {

// "{transpose: -2}" gives -2; none for an argument that is no whole number.
std::optional<int> transposeSemitones(const model::SongLine& line) {
    std::string_view text = line.argument;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int semitones = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), semitones);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        semitones < -48 || semitones > 48)
        return std::nullopt;
    return semitones;
}

} // namespace

model::Song withTranspositionsApplied(const model::Song& song) {
    model::Song result;
    result.lines.reserve(song.lines.size());
    int semitones = 0;
    bool chordSeen = false;
    std::optional<int> keyShift;
    for (const model::SongLine& line : song.lines) {
        if (line.kind == model::SongLine::Kind::Directive && line.name == "transpose") {
            if (!appliesHere(line)) {
                result.lines.push_back(line);
                continue;
            }
            const std::optional<int> given = transposeSemitones(line);
            if (!given) {
                result.lines.push_back(line);
                continue;
            }
            semitones = *given;
            if (!chordSeen)
                keyShift = semitones;
            continue;
        }
        result.lines.push_back(line);
        if (line.kind != model::SongLine::Kind::Lyrics || line.chords.empty())
            continue;
        chordSeen = true;
        if (pitchClassOf(semitones) == 0)
            continue;
        const std::optional<std::string> key = movedKey(song, semitones);
        const SpellingContext spelling =
            key ? keySpelling(*key).value_or(SpellingContext{}) : SpellingContext{};
        for (model::SongChord& chord : result.lines.back().chords)
            chord.name = transposeChordName(chord.name, semitones, spelling);
    }
    if (keyShift) {
        if (const std::optional<std::string> key = movedKey(song, *keyShift))
            result.setMeta("key", *key);
    }
    return result;
}

} // namespace strumvale::theory
