#include "theory/chord_naming.h"
#include "theory/chord_search.h"
#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr std::string_view kStandard = "E1,A1,D2,G2,B2,E3";

std::vector<std::string> names(std::string_view tab) {
    return nameFingering(tab, kStandard);
}

// The place of name among the names, or -1.
int placeOf(const std::vector<std::string>& all, std::string_view name) {
    const auto found = std::find(all.begin(), all.end(), name);
    return found == all.end() ? -1 : static_cast<int>(found - all.begin());
}

std::vector<std::string> namesOfTones(const std::vector<int>& pitchClasses, int bass) {
    ToneSet tones = 0;
    for (int pitchClass : pitchClasses)
        tones |= tone(pitchClass);
    std::vector<std::string> written;
    for (const ChordSymbol& symbol : nameTones(tones, bass))
        written.push_back(formatChordSymbol(symbol));
    return written;
}

TEST(ChordNameRanking, AFirstInversionTriadLeadsASixthWithoutItsFifth) {
    // E G B over G: exactly the E minor triad with its third in the bass.
    const std::vector<std::string> emOverG = names("3 2 2 0 0 0");
    ASSERT_GE(emOverG.size(), 2u);
    EXPECT_EQ(emOverG[0], "Em/G");
    EXPECT_EQ(emOverG[1], "G6");
    // With the D as well it is G6 in root position.
    const std::vector<std::string> g6 = names("3 2 0 0 0 0");
    ASSERT_FALSE(g6.empty());
    EXPECT_EQ(g6[0], "G6");
    EXPECT_GT(placeOf(g6, "Em7/G"), 0);
    EXPECT_EQ(names("x 3 2 2 1 0").front(), "Am/C");
}

TEST(ChordNameRanking, SixthAndMinorSeventhOnTheSameFourTonesFollowTheBass) {
    // C E G A: C6 over C, Am7 over A; both names are kept.
    const std::vector<std::string> overC = namesOfTones({0, 4, 7, 9}, 0);
    ASSERT_FALSE(overC.empty());
    EXPECT_EQ(overC.front(), "C6");
    EXPECT_GT(placeOf(overC, "Am7/C"), 0);
    const std::vector<std::string> overA = namesOfTones({0, 4, 7, 9}, 9);
    ASSERT_FALSE(overA.empty());
    EXPECT_EQ(overA.front(), "Am7");
    EXPECT_GT(placeOf(overA, "C6/A"), 0);
    EXPECT_EQ(names("x 3 2 2 1 3").front(), "C6");
    EXPECT_EQ(names("x 0 2 0 1 3").front(), "Am7");
}

TEST(ChordNameRanking, ATriadOverABassOutsideItLeadsAnExtendedName) {
    EXPECT_EQ(names("x x 0 0 1 0").front(), "C/D");
    EXPECT_GE(placeOf(names("x x 0 0 1 0"), "D11"), 1);
    const std::vector<std::string> fOverG = names("3 x 3 2 1 1");
    ASSERT_GE(fOverG.size(), 2u);
    EXPECT_EQ(fOverG[0], "F/G");
    EXPECT_EQ(fOverG[1], "G11") << "G F A C: the eleventh without its third";
    EXPECT_EQ(names("3 x 0 2 3 2").front(), "D/G");
    const int amOverD = placeOf(names("x x 0 2 1 0"), "Am/D");
    EXPECT_GE(amOverD, 0);
    EXPECT_LT(amOverD, 3);
    // A bass line under a triad: the triad names it, its seventh chord follows.
    for (const auto& [tab, triad, seventh] :
         {std::tuple{"1 x 0 0 0 3", "G/F", "G7/F"}, std::tuple{"3 0 2 2 1 0", "Am/G", "Am7/G"},
          std::tuple{"x 2 2 0 1 0", "C/B", "Cmaj7/B"}, std::tuple{"x 3 0 2 3 2", "D/C", "D7/C"}}) {
        const std::vector<std::string> all = names(tab);
        ASSERT_FALSE(all.empty()) << tab;
        EXPECT_EQ(all.front(), triad) << tab;
        EXPECT_GT(placeOf(all, seventh), 0) << tab;
    }
}

TEST(ChordNameRanking, ACommonChordInRootPositionLeadsATriadOverItsRoot) {
    // Each has a triad above a bass that sounds once: C/A in Am7, F/D in Dm7.
    for (const auto& [tab, name, triad] :
         {std::tuple{"x 0 2 0 1 0", "Am7", "C/A"}, std::tuple{"x x 0 2 1 1", "Dm7", "F/D"},
          std::tuple{"x 3 2 0 0 0", "Cmaj7", "Em/C"}, std::tuple{"x 3 5 3 4 3", "Cm7", "Eb/C"}}) {
        const std::vector<std::string> all = names(tab);
        ASSERT_FALSE(all.empty()) << tab;
        EXPECT_EQ(all.front(), name) << tab;
        EXPECT_GT(placeOf(all, triad), 0) << tab;
    }
    // A bass heard above as well is a chord tone, not a bass apart.
    EXPECT_EQ(placeOf(names("x 3 2 0 1 0"), "Em/C"), -1);
}

TEST(ChordNameRanking, TheNewQualitiesNameTheirTones) {
    const std::vector<std::pair<std::vector<int>, std::string_view>> chords = {
        {{0, 4, 7, 11, 6}, "Cmaj7#11"}, {{0, 4, 7, 10, 6}, "C7#11"}, {{0, 4, 10, 2, 6}, "C9#11"},
        {{0, 4, 7, 10, 8}, "C7b13"},    {{0, 5, 10, 9}, "C13sus4"},  {{0, 2, 7, 10}, "C7sus2"},
        {{0, 4, 5, 7}, "Cadd11"},       {{0, 3, 5, 7}, "Cmadd11"},   {{0, 3, 7, 9, 2}, "Cm6/9"},
        {{0, 4, 7, 11, 9}, "Cmaj13"},   {{0, 3, 10, 9, 2}, "Cm13"},  {{0, 4, 10, 1, 9}, "C13b9"},
        {{0, 4, 10, 1, 8}, "C7b9b13"},  {{0, 4, 10, 3, 8}, "C7alt"}, {{0, 5, 10, 7}, "C7sus4"},
        {{0, 5, 10, 2, 7}, "C11"},
    };
    for (const auto& [pitchClasses, name] : chords) {
        const std::vector<std::string> all = namesOfTones(pitchClasses, 0);
        ASSERT_FALSE(all.empty()) << name;
        EXPECT_EQ(all.front(), name);
    }
    // Tones that two names share: both are given.
    EXPECT_GT(placeOf(namesOfTones({0, 5, 7, 10, 2}, 0), "C9sus4"), 0);
    EXPECT_GE(placeOf(namesOfTones({0, 4, 8, 11}, 0), "Cmaj7#5"), 0);
    EXPECT_GT(placeOf(namesOfTones({0, 5, 7, 10}, 0), "C11"), 0);
}

TEST(ChordSearch, ACompactFingeringIsAFingering) {
    for (const auto& [text, name, tab] :
         {std::tuple{"x02210", "Am", "x 0 2 2 1 0"}, std::tuple{"320003", "G", "3 2 0 0 0 3"},
          std::tuple{"X32010", "C", "x 3 2 0 1 0"}}) {
        const std::vector<model::Chord> found = chordsBeyondTheLibrary(text, kStandard);
        ASSERT_EQ(found.size(), 1u) << text;
        EXPECT_EQ(found[0].Name, name);
        EXPECT_EQ(found[0].Tab, tab);
    }
    for (std::string_view nothing : {"x0221", "x022100", "xxxxxx", "x0221a", "x 0 2 2 1"})
        EXPECT_TRUE(chordsBeyondTheLibrary(nothing, kStandard).empty()) << nothing;
}

TEST(ChordSearch, ASymbolKeepsTheAccidentalItWasTypedWith) {
    for (const auto& [typed, name, root] :
         {std::tuple{"G#m", "G#m", "G"}, std::tuple{"Abm", "Abm", "A"}, std::tuple{"H7", "B7", "B"},
          std::tuple{"Gb", "Gb", "G"}, std::tuple{"Db7", "Db7", "D"},
          std::tuple{"E/Ab", "E/G#", "E"}, std::tuple{"C/D", "C/D", "C"}}) {
        const std::vector<model::Chord> found = chordsBeyondTheLibrary(typed, kStandard);
        ASSERT_FALSE(found.empty()) << typed;
        EXPECT_EQ(found[0].Name, name) << typed;
        EXPECT_EQ(found[0].RootNote, root) << typed;
    }
    EXPECT_EQ(chordsBeyondTheLibrary("4 x 2 1 0 0", kStandard).at(0).Name, "E/G#");
}

TEST(ChordNameRanking, NotesHeardAreNamedAsTheFingeringThatSoundsThem) {
    // By MIDI number, as the ear hears them: the same names as the fingering.
    const std::pair<const char*, std::vector<int>> chords[] = {
        {"x 3 2 0 1 0", {48, 52, 55, 60, 64}},
        {"x 0 2 0 1 0", {45, 52, 55, 60, 64}},
        {"3 x 0 0 1 0", {43, 50, 55, 60, 64}},
        {"x x 0 2 3 2", {50, 57, 62, 66}},
    };
    for (const auto& [tab, notes] : chords)
        EXPECT_EQ(nameNotes(notes), names(tab)) << tab;
    // Their order does not matter; the lowest is the bass.
    EXPECT_EQ(nameNotes(std::vector<int>{64, 55, 48, 60, 52}).at(0), "C");
    EXPECT_EQ(nameNotes(std::vector<int>{52, 55, 60}).at(0), "C/E");
    EXPECT_TRUE(nameNotes(std::vector<int>{}).empty());
    EXPECT_TRUE(nameNotes(std::vector<int>{48, 60}).empty()) << "one pitch class has no name";
}

} // namespace
} // namespace strumvale::theory
