#include "model/playlist.h"

#include <gtest/gtest.h>

using namespace strumvale::model;

TEST(Playlist, HoldsTwentySevenCopiesAndRefusesWhatCannotBeDone) {
    Playlist playlist;
    Chord c("C", "C", "x 3 2 0 1 0");
    EXPECT_FALSE(playlist.remove(0));
    EXPECT_FALSE(playlist.moveUp(0));
    for (int i = 0; i < Playlist::kCapacity; ++i)
        EXPECT_TRUE(playlist.append(i == 1 ? Playlist::separator() : c));
    EXPECT_TRUE(playlist.full());
    EXPECT_FALSE(playlist.append(c));
    EXPECT_EQ(playlist.count(), 27);
    c.Name = "changed";
    EXPECT_EQ(playlist.entries()[0].Name, "C") << "a copy";

    EXPECT_TRUE(Playlist::isSeparator(playlist.entries()[1]));
    EXPECT_FALSE(Playlist::isSeparator(Chord("C", "SEPARATOR", "x 3 2 0 1 0")));
    EXPECT_FALSE(playlist.moveUp(0));
    EXPECT_FALSE(playlist.moveDown(26));
    EXPECT_FALSE(playlist.moveDown(27));
    EXPECT_TRUE(playlist.moveUp(1));
    EXPECT_TRUE(Playlist::isSeparator(playlist.entries()[0]));
    EXPECT_TRUE(playlist.remove(0));
    EXPECT_FALSE(playlist.full());
    EXPECT_FALSE(playlist.remove(-1));
}

TEST(Playlist, EachEntryKeepsItsTuningWhereverItMoves) {
    const std::string dropD = "D1,A1,D2,G2,B2,E3";
    Playlist playlist;
    playlist.append(Chord("G", "G", "3 2 0 0 0 3"));
    playlist.append(Chord("G", "G - Drop D", "5 2 0 0 0 3"), dropD);
    playlist.append(Playlist::separator(), dropD);
    EXPECT_EQ(playlist.tuningNotes(0), "E1,A1,D2,G2,B2,E3");
    EXPECT_EQ(playlist.tuningNotes(1), dropD);
    EXPECT_EQ(playlist.tuningNotes(2), "E1,A1,D2,G2,B2,E3") << "a separator sounds nothing";
    EXPECT_EQ(playlist.tuningNotes(3), "E1,A1,D2,G2,B2,E3") << "no such entry";

    ASSERT_TRUE(playlist.moveUp(1));
    EXPECT_EQ(playlist.entries()[0].Name, "G - Drop D");
    EXPECT_EQ(playlist.tuningNotes(0), dropD);
    EXPECT_EQ(playlist.tuningNotes(1), "E1,A1,D2,G2,B2,E3");
    ASSERT_TRUE(playlist.moveDown(0));
    ASSERT_TRUE(playlist.remove(0));
    EXPECT_EQ(playlist.tuningNotes(0), dropD);

    // The same chords in another tuning are another playlist.
    Playlist standard;
    standard.append(Chord("G", "G - Drop D", "5 2 0 0 0 3"));
    standard.append(Playlist::separator());
    Playlist same = playlist;
    EXPECT_EQ(same, playlist);
    EXPECT_NE(standard, playlist);
}
