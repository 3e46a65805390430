#include "model/names.h"
#include "model/notes.h"

#include <gtest/gtest.h>

using namespace strumvale::model;

TEST(NoteTable, EntriesAndMidiNumbersFollowTheGuitarOctaveNumbering) {
    EXPECT_EQ(noteIndex("E-1"), 0);
    EXPECT_EQ(noteIndex("C0"), 8);
    EXPECT_EQ(noteIndex("E1"), 24);
    EXPECT_EQ(midiNumber(*noteIndex("E1")), 40);
    EXPECT_EQ(midiNumber(*noteIndex("A1")), 45);
    EXPECT_EQ(midiNumber(*noteIndex("C3")), 60);
    EXPECT_EQ(noteIndex("B4"), 67);
    EXPECT_EQ(midiNumber(67), 83);
    for (int i = 0; i < kNoteCount; ++i)
        EXPECT_EQ(noteIndex(noteTable()[i]), i) << "names are unique";
    EXPECT_EQ(noteTable()[kTuningNoteCount - 1], "B3");
}

TEST(NoteTable, OnlyExactSharpNamesWithOctaveAreFound) {
    for (const char* unknown : {"Db2", "e1", "E5", "E", "", "E1 ", "C#-1", "B-2"})
        EXPECT_FALSE(noteIndex(unknown).has_value()) << unknown;
}

TEST(NoteTable, NoteAtFretStaysInsideTheTable) {
    EXPECT_EQ(noteTable()[*noteAtFret("B3", 12)], "B4");
    EXPECT_EQ(noteTable()[*noteAtFret("E1", 0)], "E1");
    EXPECT_EQ(noteTable()[*noteAtFret("A1", 3)], "C2");
    EXPECT_FALSE(noteAtFret("C4", 12).has_value()) << "past the last entry";
    EXPECT_FALSE(noteAtFret("H2", 0).has_value());
    EXPECT_FALSE(noteAtFret("E1", -1).has_value());
}

TEST(PitchClasses, StripOctaveAndTheSequenceStartingAtE) {
    EXPECT_EQ(stripOctave("F#-1"), "F#");
    EXPECT_EQ(stripOctave("G#4"), "G#");
    EXPECT_EQ(stripOctave("E1"), "E");
    const auto& sequence = pitchClassSequence();
    EXPECT_EQ(sequence[0], "E");
    EXPECT_EQ(sequence[8], "C");
    EXPECT_EQ(sequence[11], "D#");
    EXPECT_EQ(sequence[67], "B");
    for (int i = 0; i < kNoteCount; ++i)
        EXPECT_EQ(sequence[i], stripOctave(noteTable()[i]));
}

TEST(PitchClasses, TransposeMovesSharpNamesAndLeavesOthers) {
    using List = std::vector<std::string>;
    EXPECT_EQ(transposePitchClasses({"C", "D", "E", "F", "G", "A", "B"}, 2),
              (List{"D", "E", "F#", "G", "A", "B", "C#"}));
    EXPECT_EQ(transposePitchClasses({"E"}, 11), List{"D#"});
    EXPECT_EQ(transposePitchClasses({"B"}, 1), List{"C"});
    EXPECT_EQ(transposePitchClasses({"Bb", "", "c", "D#"}, 1), (List{"Bb", "", "c", "E"}));
    EXPECT_EQ(transposePitchClasses({"G"}, 0), List{"G"});
}

TEST(Names, KeyListsAndStringLabels) {
    EXPECT_EQ(kScaleKeyNames[2], "D");
    EXPECT_EQ(kScaleKeyNames[10], "A#/Bb");
    EXPECT_EQ(kChordRootNames[0], "C");
    EXPECT_EQ(kChordRootNames[6], "B");
    EXPECT_EQ(kStringLabels[0], "String 6 (E):");
    EXPECT_EQ(kStringLabels[5], "String 1 (E):");
}
