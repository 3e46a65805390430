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
