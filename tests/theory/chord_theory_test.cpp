#include "model/fingering.h"
#include "model/tuning_notes.h"
#include "theory/chord_naming.h"
#include "theory/chord_search.h"
#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"
#include "theory/voicings.h"

#include <algorithm>
#include <bit>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr std::string_view kStandard = model::kStandardTuningNotes;
constexpr std::string_view kDropD = "D1,A1,D2,G2,B2,E3";
constexpr std::string_view kOpenG = "D1,G1,D2,G2,B2,D3";

std::string normalised(std::string_view text) {
    const auto symbol = parseChordSymbol(text);
    return symbol ? formatChordSymbol(*symbol) : "(none)";
}

std::string bestName(std::string_view tab, std::string_view tuning = kStandard) {
    const std::vector<std::string> names = nameFingering(tab, tuning);
    return names.empty() ? "(none)" : names.front();
}

TEST(ChordSymbols, EveryUsualSpellingReadsAsItsChord) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        {"C", "C"},
        {"Cmaj", "C"},
        {"CM", "C"},
        {"Cm", "Cm"},
        {"Cmin", "Cm"},
        {"C-", "Cm"},
        {"C5", "C5"},
        {"Cdim", "Cdim"},
        {"C\xC2\xB0", "Cdim"},
        {"Co7", "Cdim7"},
        {"Cdim7", "Cdim7"},
        {"Caug", "Caug"},
        {"C+", "Caug"},
        {"Csus", "Csus4"},
        {"Csus2", "Csus2"},
        {"C6", "C6"},
        {"Cm6", "Cm6"},
        {"C6/9", "C6/9"},
        {"C69", "C6/9"},
        {"C7", "C7"},
        {"Cmaj7", "Cmaj7"},
        {"CM7", "Cmaj7"},
        {"C\xCE\x94"
         "7",
         "Cmaj7"},
        {"Cm7", "Cm7"},
        {"Cmin7", "Cm7"},
        {"C-7", "Cm7"},
        {"Cm(maj7)", "Cm(maj7)"},
        {"CmM7", "Cm(maj7)"},
        {"Cm7b5", "Cm7b5"},
        {"C\xC3\xB8", "Cm7b5"},
        {"Cm7-5", "Cm7b5"},
        {"C7sus4", "C7sus4"},
        {"C7sus", "C7sus4"},
        {"Cadd9", "Cadd9"},
        {"C(add9)", "Cadd9"},
        {"Cmadd9", "Cmadd9"},
        {"C9", "C9"},
        {"Cmaj9", "Cmaj9"},
        {"Cm9", "Cm9"},
        {"C7b9", "C7b9"},
        {"C7(#9)", "C7#9"},
        {"C7#9", "C7#9"},
        {"C7b5", "C7b5"},
        {"C7#5", "C7#5"},
        {"C11", "C11"},
        {"Cm11", "Cm11"},
        {"C13", "C13"},
        {"C/E", "C/E"},
        {"Am/C", "Am/C"},
        {"A#", "Bb"},
        {"Gb", "F#"},
        {"Db7", "Db7"}, // a dominant on C#/Db is written Db7, a minor C#m7
        {"D#m", "Ebm"},
        {"G#", "Ab"},
        {"Bbsus", "Bbsus4"},
        {"F#m7b5", "F#m7b5"},
        {"C/C", "C"},
        {"Cm7 / Bb", "Cm7/Bb"},
    };
    for (const auto& [written, meant] : spellings)
        EXPECT_EQ(normalised(written), meant) << written;
    for (std::string_view nonsense :
         {"", "J", "c", "am", "Cfoo", "C/", "C7/x", "C/J", "7", "Cmm", "Hb", "H#"})
        EXPECT_EQ(normalised(nonsense), "(none)") << nonsense;
}

TEST(ChordNaming, WellKnownFingeringsAreNamedRight) {
    // Written from a guitar chord chart by hand.
    const std::vector<std::pair<std::string_view, std::string_view>> standard = {
        {"x 3 2 0 1 0", "C"},     {"3 2 0 0 0 3", "G"},     {"x x 0 2 3 2", "D"},
        {"0 2 2 1 0 0", "E"},     {"x 0 2 2 2 0", "A"},     {"1 3 3 2 1 1", "F"},
        {"x 0 2 2 1 0", "Am"},    {"0 2 2 0 0 0", "Em"},    {"x x 0 2 3 1", "Dm"},
        {"x 2 4 4 3 2", "Bm"},    {"x 3 5 5 4 3", "Cm"},    {"x 1 3 3 3 1", "Bb"},
        {"x x 0 2 1 2", "D7"},    {"x 2 1 2 0 2", "B7"},    {"0 2 0 1 0 0", "E7"},
        {"x 0 2 0 2 0", "A7"},    {"x 3 2 3 1 0", "C7"},    {"3 2 0 0 0 1", "G7"},
        {"x 0 2 0 1 0", "Am7"},   {"0 2 0 0 0 0", "Em7"},   {"x x 0 2 1 1", "Dm7"},
        {"x 3 2 0 0 0", "Cmaj7"}, {"x x 0 2 2 2", "Dmaj7"}, {"x 0 2 1 2 0", "Amaj7"},
        {"x 0 2 2 0 0", "Asus2"}, {"x 0 2 2 3 0", "Asus4"}, {"x x 0 2 3 3", "Dsus4"},
        {"x x 0 2 3 0", "Dsus2"}, {"x 3 5 3 4 3", "Cm7"},   {"x 2 1 2 1 2", "B7b9"},
        {"x 3 2 3 4 x", "C7#9"},  {"x x 0 1 0 1", "Ddim7"}, {"x 3 4 3 4 x", "Cm7b5"},
        {"x 3 2 1 1 x", "Caug"},  {"x 3 5 5 x x", "C5"},    {"x 3 2 0 3 0", "Cadd9"},
        {"x 3 2 2 1 3", "C6"},    {"x 3 2 3 3 3", "C9"},    {"x 3 2 2 3 x", "C6/9"},
        {"x 3 4 5 4 x", "Cdim"},  {"x 2 3 1 3 x", "Bdim7"}, {"x 3 5 5 3 3", "Csus2"},
        {"x 0 2 2 1 2", "Am6"},   {"x 2 0 0 3 3", "G/B"},   {"0 3 2 0 1 0", "C/E"},
        {"x 0 0 2 3 2", "D/A"},   {"x x 0 0 0 3", "G/D"},   {"3 x 0 0 0 3", "G"},
    };
    for (const auto& [tab, name] : standard)
        EXPECT_EQ(bestName(tab), name) << tab;
    EXPECT_EQ(bestName("0 0 0 2 3 2", kDropD), "D");
    EXPECT_EQ(bestName("0 0 0 2 3 0", kDropD), "Dsus2");
    EXPECT_EQ(bestName("x 0 0 0 0 0", kOpenG), "G");
    EXPECT_EQ(bestName("0 0 0 0 0 0", kOpenG), "G/D");
    EXPECT_EQ(bestName("x 5 5 5 5 5", kOpenG), "C");

    // Both names are true; the root-position one leads.
    const std::vector<std::string> both = nameFingering("x 3 2 2 1 3", kStandard);
    ASSERT_FALSE(both.empty());
    EXPECT_EQ(both.front(), "C6");
    EXPECT_NE(std::find(both.begin(), both.end(), "Am7/C"), both.end());

    for (std::string_view nothing : {"x x x x x x", "x x x x x 3", "x x 3 x x 15", "garbage"})
        EXPECT_TRUE(nameFingering(nothing, kStandard).empty()) << nothing;
}

TEST(Voicings, EveryQualitySoundsItsChordAndNamesBack) {
    for (int root : {0, 4, 6, 10}) {
        for (const Quality& quality : qualities()) {
            const ChordSymbol symbol{root, &quality, std::nullopt};
            const std::string name = formatChordSymbol(symbol);
            const std::vector<std::string> tabs = findVoicings(symbol, kStandard);
            ASSERT_FALSE(tabs.empty()) << name;
            for (const std::string& tab : tabs) {
                const auto sounding = soundingOf(tab, kStandard);
                ASSERT_TRUE(sounding) << name << ": " << tab;
                EXPECT_EQ(sounding->tones & ~symbol.tones(), 0u) << name << ": " << tab;
                const std::vector<ChordSymbol> names = nameTones(sounding->tones, root);
                EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                                        [&](const ChordSymbol& named) {
                                            return named.root == root && named.quality == &quality;
                                        }))
                    << name << ": " << tab;
            }
        }
    }
}

TEST(Voicings, TextbookShapesLeadAndNoneRepeatsAnotherWithStringsLeftOut) {
    const auto first = [](std::string_view name, std::string_view tuning = kStandard) {
        const std::vector<std::string> tabs = findVoicings(*parseChordSymbol(name), tuning);
        return tabs.empty() ? std::string("(none)") : tabs.front();
    };
    EXPECT_EQ(first("C"), "x 3 2 0 1 0");
    EXPECT_EQ(first("G"), "3 2 0 0 0 3");
    EXPECT_EQ(first("D7"), "x x 0 2 1 2");
    EXPECT_EQ(first("B7"), "x 2 1 2 0 2");
    EXPECT_EQ(first("E"), "0 2 2 1 0 0");
    EXPECT_EQ(first("Am"), "x 0 2 2 1 0");
    EXPECT_EQ(first("D", kDropD), "0 0 0 2 3 2");

    const std::vector<std::string> slash = findVoicings(*parseChordSymbol("C/E"), kStandard);
    ASSERT_FALSE(slash.empty());
    for (const std::string& tab : slash)
        EXPECT_EQ(soundingOf(tab, kStandard)->bass, 4) << tab;

    const std::vector<std::string> tabs =
        findVoicings(*parseChordSymbol("F#m7b5"), kDropD, {.count = 50, .highestFret = 12});
    EXPECT_LE(tabs.size(), 50u);
    for (std::size_t later = 0; later < tabs.size(); ++later) {
        const auto laterTokens = model::splitTab(tabs[later]);
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            const auto earlierTokens = model::splitTab(tabs[earlier]);
            bool part = true;
            for (std::size_t s = 0; s < laterTokens.size(); ++s)
                part = part && (laterTokens[s] == "x" || laterTokens[s] == earlierTokens[s]);
            EXPECT_FALSE(part) << tabs[later] << " repeats " << tabs[earlier];
        }
    }
}

} // namespace
} // namespace strumvale::theory

namespace strumvale::theory {
namespace {

TEST(ChordSearch, AFingeringGetsItsBestNameAndASymbolItsVoicings) {
    const std::vector<model::Chord> fingering =
        chordsBeyondTheLibrary("x  3 2 2 1 3", model::kStandardTuningNotes);
    ASSERT_EQ(fingering.size(), 1u);
    EXPECT_EQ(fingering[0].Name, "C6");
    EXPECT_EQ(fingering[0].RootNote, "C");
    EXPECT_EQ(fingering[0].Tab, "x 3 2 2 1 3");

    const std::vector<model::Chord> voicings = chordsBeyondTheLibrary("D", "D1,A1,D2,G2,B2,E3");
    ASSERT_FALSE(voicings.empty());
    EXPECT_EQ(voicings[0].Name, "D");
    EXPECT_EQ(voicings[0].Tab, "0 0 0 2 3 2");
    for (std::size_t i = 1; i < voicings.size(); ++i) {
        EXPECT_EQ(voicings[i].Name, "D") << "named by the chord alone";
        EXPECT_NE(voicings[i].Tab, voicings[i - 1].Tab);
    }

    // Filed as the library files chords: under the letter of the name.
    for (const auto& [symbol, name, root] :
         {std::tuple{"Bb13", "Bb13", "B"}, std::tuple{"F#m7b5", "F#m7b5", "F"},
          std::tuple{"Abm", "Abm", "A"}}) {
        const std::vector<model::Chord> found =
            chordsBeyondTheLibrary(symbol, model::kStandardTuningNotes);
        ASSERT_FALSE(found.empty()) << symbol;
        EXPECT_EQ(found[0].Name, name);
        EXPECT_EQ(found[0].RootNote, root);
    }
    EXPECT_EQ(chordsBeyondTheLibrary("x 1 3 3 3 1", model::kStandardTuningNotes)[0].RootNote, "B")
        << "Bb, named from a fingering";

    for (std::string_view nothing : {"x x x x x 3", "x 3 2 0 1", "Cfoo", "hello", ""})
        EXPECT_TRUE(chordsBeyondTheLibrary(nothing, model::kStandardTuningNotes).empty())
            << nothing;
}

} // namespace
} // namespace strumvale::theory
