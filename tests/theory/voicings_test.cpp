#include "model/fingering.h"
#include "model/tuning_notes.h"
#include "string_frets.h"
#include "theory/chord_naming.h"
#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"
#include "theory/playability.h"
#include "theory/voicings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace strumvale::theory {
namespace {

using test::fretsOf;

constexpr std::string_view kStandard = model::kStandardTuningNotes;

std::vector<std::string> voicingsOf(std::string_view name, int count = 20) {
    return findVoicings(*parseChordSymbol(name), kStandard, {.count = count, .highestFret = 12});
}

std::string firstOf(std::string_view name) {
    const std::vector<std::string> tabs = voicingsOf(name);
    return tabs.empty() ? std::string("(none)") : tabs.front();
}

std::ptrdiff_t placeOf(const std::vector<std::string>& tabs, std::string_view tab) {
    return std::find(tabs.begin(), tabs.end(), tab) - tabs.begin();
}

int soundingStrings(std::string_view tab) {
    const model::TabTokens tokens = model::splitTab(tab);
    return static_cast<int>(std::count_if(tokens.begin(), tokens.end(),
                                          [](const std::string& token) { return token != "x"; }));
}

TEST(VoicingRanking, TheShapesPlayersLearnComeFirst) {
    EXPECT_EQ(firstOf("F"), "1 3 3 2 1 1");
    EXPECT_EQ(firstOf("Bm"), "x 2 4 4 3 2");
    EXPECT_EQ(firstOf("D/F#"), "2 0 0 2 3 2");
    EXPECT_EQ(firstOf("C/G"), "3 3 2 0 1 0");
    EXPECT_EQ(firstOf("G7"), "3 2 0 0 0 1");
    EXPECT_EQ(firstOf("Bb7"), "x 1 3 1 3 1");
    EXPECT_EQ(firstOf("Dsus4"), "x x 0 2 3 3");
    EXPECT_EQ(firstOf("C5"), "x 3 5 5 x x");
    EXPECT_EQ(firstOf("Dm7"), "x x 0 2 1 1");
    EXPECT_EQ(firstOf("A7"), "x 0 2 0 2 0");
    // A slash chord's bass is heard low, not a triad on the top strings.
    EXPECT_EQ(firstOf("E/G#"), "4 2 2 1 0 0");
    EXPECT_EQ(firstOf("G/B"), "x 2 0 0 0 3");

    const std::vector<std::string> f = voicingsOf("F");
    EXPECT_LT(placeOf(f, "1 3 3 2 1 1"), placeOf(f, "1 0 3 2 1 1"))
        << "the barre, not the barre with the A string lifted";
    EXPECT_LT(placeOf(voicingsOf("E7#9"), "x 7 6 7 8 x"), 20);
    const std::vector<std::string> g7b5 = voicingsOf("G7b5", 60);
    EXPECT_EQ(placeOf(g7b5, "3 2 3 0 2 3"), static_cast<std::ptrdiff_t>(g7b5.size()))
        << "five fingers";
}

TEST(VoicingRanking, BarresComeInOrderUpTheNeckAfterTheOpenShape) {
    const std::vector<std::string> c = voicingsOf("C");
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.front(), "x 3 2 0 1 0");
    const auto aForm = placeOf(c, "x 3 5 5 5 3");
    const auto eForm = placeOf(c, "8 10 10 9 8 8");
    EXPECT_LT(aForm, eForm);
    EXPECT_LT(eForm, static_cast<std::ptrdiff_t>(c.size()));

    const std::vector<std::string> g = voicingsOf("G");
    EXPECT_LT(placeOf(g, "3 5 5 4 3 3"), placeOf(g, "x 10 12 12 12 10"));
}

TEST(VoicingRanking, EveryListedVoicingIsPlayableAndTheFirstHasTheRootLowest) {
    int checked = 0;
    for (int root = 0; root < 12; ++root) {
        for (const Quality& quality : qualities()) {
            const ChordSymbol symbol{root, &quality, std::nullopt};
            const std::string name = formatChordSymbol(symbol);
            const std::vector<std::string> tabs = findVoicings(symbol, kStandard);
            ASSERT_FALSE(tabs.empty()) << name;
            for (const std::string& tab : tabs) {
                EXPECT_TRUE(isPlayable(fretsOf(tab))) << name << ": " << tab;
                ++checked;
            }
            EXPECT_EQ(soundingOf(tabs.front(), kStandard)->bass, root)
                << name << ": " << tabs.front();
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(VoicingRanking, FullVoicingsLeadTheCommonChords) {
    for (int root = 0; root < 12; ++root) {
        for (std::string_view suffix : {"", "m", "7"}) {
            const std::string name = std::string(pitchClassName(root)) + std::string(suffix);
            const std::vector<std::string> tabs = voicingsOf(name);
            ASSERT_FALSE(tabs.empty()) << name;
            EXPECT_GE(soundingStrings(tabs.front()), 4) << name << ": " << tabs.front();
            // Thin voicings wait until the full ones near the open position are listed.
            for (std::size_t place = 0; place < std::min<std::size_t>(tabs.size(), 4); ++place)
                EXPECT_GE(soundingStrings(tabs[place]), 4) << name << ": " << tabs[place];
        }
    }
}

TEST(VoicingRanking, ASlashChordKeepsItsBassBelowAndAlone) {
    for (std::string_view name : {"G/F", "D/C", "Am/G", "C/B"}) {
        const std::vector<std::string> tabs = voicingsOf(name);
        ASSERT_FALSE(tabs.empty()) << name;
        const ChordSymbol symbol = *parseChordSymbol(name);
        const auto sounding = soundingOf(tabs.front(), kStandard);
        EXPECT_EQ(sounding->bass, *symbol.bass) << name;
        // The bass, outside the chord, sounds once: twice would name another chord.
        const model::TabTokens tokens = model::splitTab(tabs.front());
        int basses = 0;
        for (std::size_t index = 0; index < tokens.size(); ++index) {
            if (tokens[index] == "x")
                continue;
            model::TabTokens only;
            only.fill("x");
            only[index] = tokens[index];
            basses += soundingOf(model::joinTab(only), kStandard)->bass == *symbol.bass ? 1 : 0;
        }
        EXPECT_EQ(basses, 1) << name << ": " << tabs.front();
    }
}

TEST(VoicingRanking, ShellsOfTheLargerChordsAndLowSlashShapesAreAmongTheFirst) {
    // Each tone once, string 5 silenced by the finger on string 6, as charts
    // draw them; a fuller voicing that doubles a tone comes after.
    const std::pair<std::string_view, std::string_view> shells[] = {
        {"Cdim7", "x 3 4 2 4 x"}, {"Bdim7", "x 2 3 1 3 x"}, {"Cm7b5", "x 3 4 3 4 x"},
        {"Gm7b5", "3 x 3 3 2 x"}, {"G9", "3 x 0 2 0 1"},    {"F9", "1 x 1 2 1 3"}};
    for (const auto& [name, shell] : shells)
        EXPECT_LT(placeOf(voicingsOf(name, 5), shell), 5) << name << ": " << shell;
}

} // namespace
} // namespace strumvale::theory
