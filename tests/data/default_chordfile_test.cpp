#include "formats/chordfile.h"
#include "model/chord_document.h"
#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace strumvale;

namespace {

const std::vector<std::string> kPitchClasses = {"C",  "C#", "D",  "D#", "E",  "F",
                                                "F#", "G",  "G#", "A",  "A#", "B"};

int pitchClassNumber(const std::string& name) {
    auto found = std::find(kPitchClasses.begin(), kPitchClasses.end(), name);
    return found == kPitchClasses.end() ? -1 : int(found - kPitchClasses.begin());
}

// Semitones above the root of every quality suffix the library uses.
const std::map<std::string, std::vector<int>>& qualities() {
    static const std::map<std::string, std::vector<int>> table = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},   {"sus2", {0, 2, 7}},
        {"sus4", {0, 5, 7}},     {"dim", {0, 3, 6}},      {"aug", {0, 4, 8}},
        {"6", {0, 4, 7, 9}},     {"m6", {0, 3, 7, 9}},    {"9", {0, 4, 7, 10, 2}},
        {"add9", {0, 4, 7, 2}},  {"m7b5", {0, 3, 6, 10}}, {"dim7", {0, 3, 6, 9}},
        {"7sus4", {0, 5, 7, 10}}};
    return table;
}

struct ChordSymbol {
    char letter = 0;
    int root = -1;       // pitch class 0..11
    std::string quality; // suffix after the root
    bool sharp = false;
};

// Root letter, optional '#' or 'b', then one suffix of the fixed list.
bool parseSymbol(const std::string& name, ChordSymbol& symbol) {
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        return false;
    symbol.letter = name[0];
    symbol.root = pitchClassNumber(std::string(1, name[0]));
    size_t at = 1;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
        symbol.sharp = name[at] == '#';
        symbol.root = (symbol.root + (symbol.sharp ? 1 : 11)) % 12;
        ++at;
    }
    symbol.quality = name.substr(at);
    return qualities().count(symbol.quality) == 1;
}

std::set<int> soundingPitchClasses(const std::string& tab) {
    std::set<int> sounding;
    auto tokens = model::splitTab(tab);
    for (int string = 6; string >= 1; --string) {
        int fret = model::fretOf(tokens[6 - string]);
        if (fret < 0)
            continue;
        std::string open = model::tuningNote(model::kStandardTuningNotes, string);
        auto entry = model::noteAtFret(open, fret);
        if (entry)
            sounding.insert(pitchClassNumber(model::stripOctave(model::noteTable()[*entry])));
    }
    return sounding;
}

class DefaultChordfile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        loaded =
            formats::LoadChordfile(document, std::string(STRUMVALE_TOOLS_DIR) + "/default.gtr");
    }
    static model::ChordDocument document;
    static bool loaded;
};
model::ChordDocument DefaultChordfile::document;
bool DefaultChordfile::loaded = false;

TEST_F(DefaultChordfile, LoadsWithItsDescription) {
    ASSERT_TRUE(loaded);
    EXPECT_EQ(document.Author, "The Strumvale project");
    EXPECT_FALSE(document.Info.empty());
    EXPECT_EQ(document.Homepage.find("://"), std::string::npos);
    EXPECT_EQ(formats::StatisticsText(document).substr(0, 8), "Chords: ");
}

TEST_F(DefaultChordfile, EveryChordSoundsExactlyTheNotesOfItsName) {
    ASSERT_TRUE(loaded);
    ASSERT_GT(document.Chords.Count(), 0);
    for (const auto& chord : document.Chords.items()) {
        SCOPED_TRACE(chord.Name + " " + chord.Tab);
        ChordSymbol symbol;
        ASSERT_TRUE(parseSymbol(chord.Name, symbol));
        EXPECT_EQ(chord.RootNote, std::string(1, symbol.letter));
        EXPECT_TRUE(model::isValidTab(chord.Tab));
        std::set<int> expected, required;
        for (int interval : qualities().at(symbol.quality)) {
            expected.insert((symbol.root + interval) % 12);
            // A ninth chord may leave out its fifth.
            if (!(symbol.quality == "9" && interval == 7))
                required.insert((symbol.root + interval) % 12);
        }
        auto sounding = soundingPitchClasses(chord.Tab);
        EXPECT_TRUE(
            std::includes(expected.begin(), expected.end(), sounding.begin(), sounding.end()))
            << "a note outside the chord sounds";
        EXPECT_TRUE(
            std::includes(sounding.begin(), sounding.end(), required.begin(), required.end()))
            << "a chord tone is missing";
    }
}

TEST_F(DefaultChordfile, EveryChordCanBeHeldByOneHand) {
    ASSERT_TRUE(loaded);
    for (const auto& chord : document.Chords.items()) {
        SCOPED_TRACE(chord.Name + " " + chord.Tab);
        auto tokens = model::splitTab(chord.Tab);
        std::vector<int> frets; // string 6 first, -1 muted
        for (const auto& token : tokens)
            frets.push_back(model::fretOf(token));
        int lowest = 99, highest = 0, fretted = 0;
        for (int fret : frets)
            if (fret > 0) {
                lowest = std::min(lowest, fret);
                highest = std::max(highest, fret);
                ++fretted;
            }
        if (fretted == 0)
            continue;
        EXPECT_LE(highest - lowest, 3) << "the frets lie more than four apart";
        // Notes on the lowest fret count as one finger when one finger can
        // bar them: every string from the first of them up is fretted.
        int atLowest = int(std::count(frets.begin(), frets.end(), lowest));
        size_t first = std::find(frets.begin(), frets.end(), lowest) - frets.begin();
        bool barre = atLowest > 1 && std::all_of(frets.begin() + first, frets.end(),
                                                 [&](int fret) { return fret >= lowest; });
        int fingers = barre ? fretted - atLowest + 1 : fretted;
        EXPECT_LE(fingers, 4);
    }
}

TEST_F(DefaultChordfile, EveryRootHasEveryQuality) {
    ASSERT_TRUE(loaded);
    std::map<std::string, std::set<std::string>> byRoot; // "C", "C#", ... -> suffixes
    std::set<std::string> rootNotes;
    for (const auto& chord : document.Chords.items()) {
        ChordSymbol symbol;
        if (!parseSymbol(chord.Name, symbol))
            continue;
        rootNotes.insert(chord.RootNote);
        std::string root(1, symbol.letter);
        if (chord.Name.size() > 1 && (chord.Name[1] == '#' || chord.Name[1] == 'b'))
            root += chord.Name[1];
        byRoot[root].insert(symbol.quality);
    }
    EXPECT_EQ(rootNotes, (std::set<std::string>{"A", "B", "C", "D", "E", "F", "G"}));
    for (std::string root : {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"})
        for (const char* quality :
             {"", "m", "7", "maj7", "m7", "sus2", "sus4", "dim", "aug", "6", "m6", "9", "add9"})
            EXPECT_EQ(byRoot[root].count(quality), 1u) << root << quality;
    for (const char* letter : {"C", "D", "E", "F", "G", "A", "B"}) {
        model::ValueList<model::Chord> ofKey;
        document.ChordsOfKey(letter, ofKey);
        EXPECT_GE(ofKey.Count(), 20) << letter;
    }
}

// Semitones above C of the interval labels the scales use.
int intervalSemitones(const std::string& label) {
    static const std::map<std::string, int> table = {
        {"1", 0}, {"b2", 1}, {"2", 2},  {"b3", 3}, {"3", 4},   {"4", 5},   {"#4", 6}, {"b5", 6},
        {"5", 7}, {"#5", 8}, {"b6", 8}, {"6", 9},  {"bb7", 9}, {"b7", 10}, {"7", 11}};
    auto found = table.find(label);
    return found == table.end() ? -1 : found->second;
}

TEST_F(DefaultChordfile, ScalesAreInCWithLabelsThatMatchTheirNotes) {
    ASSERT_TRUE(loaded);
    ASSERT_GE(document.Scales.Count(), 20);
    std::set<std::string> names;
    for (const auto& scale : document.Scales.items()) {
        SCOPED_TRACE(scale.Name);
        names.insert(scale.Name);
        auto notes = scale.noteList();
        auto intervals = scale.intervalList();
        ASSERT_EQ(notes.size(), intervals.size());
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.front(), "C");
        for (size_t i = 0; i < notes.size(); ++i) {
            EXPECT_NE(pitchClassNumber(notes[i]), -1) << notes[i];
            EXPECT_EQ(intervalSemitones(intervals[i]), pitchClassNumber(notes[i]))
                << intervals[i] << " " << notes[i];
        }
        EXPECT_FALSE(scale.Description.empty());
    }
    for (const char* name :
         {"Major (Ionian)", "Dorian", "Phrygian", "Lydian", "Mixolydian", "Aeolian", "Locrian",
          "Natural Minor", "Harmonic Minor", "Melodic Minor", "Major Pentatonic",
          "Minor Pentatonic", "Blues", "Whole Tone", "Chromatic"})
        EXPECT_EQ(names.count(name), 1u) << name;
}

TEST_F(DefaultChordfile, TuningsStartWithStandardAndStayInRange) {
    ASSERT_TRUE(loaded);
    ASSERT_GE(document.Tunings.Count(), 12);
    EXPECT_EQ(document.Tunings.GetAt(0), model::Tuning::standard());
    for (const auto& tuning : document.Tunings.items()) {
        SCOPED_TRACE(tuning.Name);
        for (int string = 1; string <= 6; ++string) {
            auto entry = model::noteIndex(model::tuningNote(tuning.Notes, string));
            ASSERT_TRUE(entry.has_value()) << string;
            EXPECT_LT(*entry, model::kTuningNoteCount);
        }
        EXPECT_EQ(std::count(tuning.Notes.begin(), tuning.Notes.end(), ','), 5);
    }
}

TEST_F(DefaultChordfile, DrumPatternsPlayAtSensibleSettings) {
    ASSERT_TRUE(loaded);
    ASSERT_GE(document.DrumPatterns.Count(), 13);
    for (const auto& pattern : document.DrumPatterns.items()) {
        SCOPED_TRACE(pattern.Name);
        // The range of the Drummer page's tempo control.
        EXPECT_GE(pattern.Tempo, 60);
        EXPECT_LE(pattern.Tempo, 320);
        for (int track = 0; track < model::DrumPattern::kTracks; ++track) {
            EXPECT_GE(pattern.Instruments[track], 0);
            EXPECT_LT(pattern.Instruments[track], 47);
            EXPECT_GE(pattern.Volumes[track], 0);
            EXPECT_LE(pattern.Volumes[track], 127);
        }
        EXPECT_GT(std::count(pattern.Pattern.begin(), pattern.Pattern.end(), 1), 0);
    }
}

} // namespace
