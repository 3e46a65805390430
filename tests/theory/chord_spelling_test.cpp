#include "theory/chord_naming.h"
#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr std::string_view kStandard = "E1,A1,D2,G2,B2,E3";

std::string respelled(std::string_view written, const SpellingContext& context = {}) {
    const std::optional<ChordSymbol> symbol = parseChordSymbol(written);
    return symbol ? formatChordSymbol(*symbol, context) : "(none)";
}

std::string bestName(std::string_view tab, const SpellingContext& context = {}) {
    const std::vector<std::string> names = nameFingering(tab, kStandard, context);
    return names.empty() ? "(none)" : names.front();
}

TEST(ChordSpelling, RootsAreSpelledAsChartsSpellThatChord) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        // C#/Db: sharp for minor and diminished chords, flat under a major third.
        {"Dbm", "C#m"},
        {"Dbm7", "C#m7"},
        {"Dbdim7", "C#dim7"},
        {"Dbm7b5", "C#m7b5"},
        {"C#", "Db"},
        {"C#7", "Db7"},
        {"C#maj7", "Dbmaj7"},
        {"Dbsus4", "C#sus4"},
        // G#/Ab the same way.
        {"Abm", "G#m"},
        {"Abm7", "G#m7"},
        {"Abdim", "G#dim"},
        {"G#7", "Ab7"},
        {"G#maj7", "Abmaj7"},
        {"G#5", "Ab5"},
        // Eb, F# and Bb whatever the chord.
        {"D#maj7", "Ebmaj7"},
        {"D#m", "Ebm"},
        {"Gb7", "F#7"},
        {"Gbm", "F#m"},
        {"A#m", "Bbm"},
        {"A#dim7", "Bbdim7"},
    };
    for (const auto& [written, meant] : spellings)
        EXPECT_EQ(respelled(written), meant) << written;
}

TEST(ChordSpelling, ABassInTheChordIsSpelledAsItsInterval) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        {"E/Ab", "E/G#"},         // the third of E
        {"B7/Eb", "B7/D#"},       // the third of B7
        {"C#m7/Ab", "C#m7/G#"},   // the fifth of C#m7
        {"F#/Bb", "F#/A#"},       //
        {"Ebm/F#", "Ebm/Gb"},     // a minor third above Eb
        {"Db/E#", "Db/F"},        //
        {"Cm7/A#", "Cm7/Bb"},     // a minor seventh above C
        {"Edim7/Db", "Edim7/C#"}, // the diminished seventh, written as a sixth
        {"Fdim7/Cb", "Fdim7/B"},  // Cb is written B
        {"H7/D#", "B7/D#"},
    };
    for (const auto& [written, meant] : spellings)
        EXPECT_EQ(respelled(written), meant) << written;
}

TEST(ChordSpelling, ABassOutsideTheChordTakesTheRootsSide) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        {"C/D", "C/D"},     {"D/G", "D/G"},   {"Am/D", "Am/D"}, {"F/G", "F/G"},
        {"G/Gb", "G/F#"},   {"A/Ab", "A/G#"}, {"E/Eb", "E/D#"}, {"F/D#", "F/Eb"},
        {"C#/D#", "Db/Eb"}, {"C/A#", "C/Bb"}, {"Bb/C", "Bb/C"}, {"Dm/Db", "Dm/C#"},
        {"Gm/Gb", "Gm/F#"}, {"D/D#", "D/Eb"}, {"A/A#", "A/Bb"}, {"Cm6/9/A#", "Cm6/9/Bb"},
    };
    for (const auto& [written, meant] : spellings)
        EXPECT_EQ(respelled(written), meant) << written;
}

TEST(ChordSpelling, AKeyDecidesBetweenSharpsAndFlats) {
    EXPECT_EQ(keySide(0, false), Accidentals::ByChord); // C
    EXPECT_EQ(keySide(9, true), Accidentals::ByChord);  // A minor
    EXPECT_EQ(keySide(7, false), Accidentals::Sharps);  // G
    EXPECT_EQ(keySide(4, false), Accidentals::Sharps);  // E
    EXPECT_EQ(keySide(6, false), Accidentals::Sharps);  // F#
    EXPECT_EQ(keySide(4, true), Accidentals::Sharps);   // E minor, as G
    EXPECT_EQ(keySide(5, false), Accidentals::Flats);   // F
    EXPECT_EQ(keySide(1, false), Accidentals::Flats);   // Db
    EXPECT_EQ(keySide(2, true), Accidentals::Flats);    // D minor, as F
    EXPECT_EQ(keySide(0, true), Accidentals::Flats);    // C minor, as Eb

    const SpellingContext dbMajor{.keyRoot = 1, .keyIsMinor = false};
    EXPECT_EQ(respelled("F#", dbMajor), "Gb");
    EXPECT_EQ(respelled("C#m", dbMajor), "Dbm");
    EXPECT_EQ(respelled("G#m7", dbMajor), "Abm7");
    const SpellingContext eMajor{.keyRoot = 4, .keyIsMinor = false};
    EXPECT_EQ(respelled("Ab", eMajor), "G#");
    EXPECT_EQ(respelled("Bb7", eMajor), "A#7");
    EXPECT_EQ(respelled("Db/F", eMajor), "C#/F") << "never E#";
    EXPECT_EQ(respelled("E/D#", SpellingContext{.keyRoot = 3}), "E/D#") << "a semitone below E";
    // A minor key raises its seventh: the leading-tone chord of D minor is C#dim7.
    const SpellingContext dMinor{.keyRoot = 2, .keyIsMinor = true};
    EXPECT_EQ(respelled("Dbdim7", dMinor), "C#dim7");
    EXPECT_EQ(respelled("A#", dMinor), "Bb");
    // C major leaves the choice to the chord, or to what is preferred.
    EXPECT_EQ(respelled("Dbm", SpellingContext{.keyRoot = 0}), "C#m");
    EXPECT_EQ(respelled("Gb", SpellingContext{.prefer = Accidentals::Flats}), "Gb");
    EXPECT_EQ(respelled("Eb", SpellingContext{.prefer = Accidentals::Sharps}), "D#");
    EXPECT_EQ(respelled("Dbm", SpellingContext{.keyRoot = 0, .prefer = Accidentals::Flats}), "Dbm");
}

TEST(ChordSpelling, NamedFingeringsAreSpelledForTheirChord) {
    EXPECT_EQ(bestName("4 x 2 1 0 0"), "E/G#");
    EXPECT_EQ(bestName("x 6 x 4 7 5"), "B7/D#");
    EXPECT_EQ(bestName("4 6 6 4 4 4"), "G#m");
    EXPECT_EQ(bestName("4 6 4 4 4 4"), "G#m7");
    EXPECT_EQ(bestName("4 6 6 5 4 4"), "Ab");
    EXPECT_EQ(bestName("x 4 6 4 5 4"), "C#m7");
    EXPECT_EQ(bestName("x 6 8 7 8 6"), "Ebmaj7");
    EXPECT_EQ(bestName("2 4 2 3 2 2"), "F#7");
    EXPECT_EQ(bestName("2 4 2 3 2 2", SpellingContext{.keyRoot = 1}), "Gb7");
    EXPECT_EQ(bestName("2 2 0 0 0 3"), "G/F#");
    const std::vector<std::string> names = nameFingering("4 4 6 4 5 4", kStandard);
    EXPECT_NE(std::find(names.begin(), names.end(), "C#m7/G#"), names.end());
}

TEST(ChordSpelling, HIsReadAsBAndNeverWritten) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        {"H", "B"},       {"H7", "B7"},   {"Hm", "Bm"},     {"Hm7", "Bm7"},
        {"H/F#", "B/F#"}, {"G/H", "G/B"}, {"Hdim", "Bdim"}, {"C/H", "C/B"},
    };
    for (const auto& [written, meant] : spellings)
        EXPECT_EQ(respelled(written), meant) << written;
    for (std::string_view nonsense : {"Hb", "H#", "h7", "Hb7", "C/Hb"})
        EXPECT_EQ(respelled(nonsense), "(none)") << nonsense;
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass)
        EXPECT_EQ(std::string(pitchClassName(pitchClass)).find('H'), std::string::npos);
}

} // namespace
} // namespace strumvale::theory
