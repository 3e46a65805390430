#include "model/fingering.h"
#include "string_frets.h"
#include "theory/playability.h"

#include <gtest/gtest.h>
#include <string>

namespace strumvale::theory {
namespace {

using test::fretsOf;

HandShape shapeOf(std::string_view tab) {
    return handShapeOf(fretsOf(tab));
}

TEST(Playability, TheShapesPlayersLearnAreHeldWithAtMostFourFingers) {
    const std::vector<std::pair<std::string_view, int>> fingers = {
        {"x 3 2 0 1 0", 3}, {"3 2 0 0 0 3", 3}, {"x x 0 2 3 2", 3}, {"0 2 2 1 0 0", 3},
        {"x 0 2 2 2 0", 3}, {"3 2 0 0 0 1", 3}, {"x 2 1 2 0 2", 4}, {"2 0 0 2 3 2", 4},
        {"x 0 2 4 1 3", 4}, {"x 3 x 2 4 3", 4}, {"x 7 6 7 8 x", 4}, {"x 3 5 5 x x", 3},
    };
    for (const auto& [tab, count] : fingers) {
        EXPECT_TRUE(isPlayable(fretsOf(tab))) << tab;
        EXPECT_EQ(fingersNeeded(fretsOf(tab)), count) << tab;
        EXPECT_FALSE(shapeOf(tab).barre) << tab << " needs no barre";
    }
}

TEST(Playability, ABarreLiesAcrossFrettedStringsAtTheLowestFret) {
    const HandShape f = shapeOf("1 3 3 2 1 1");
    ASSERT_TRUE(f.playable);
    EXPECT_TRUE(f.barre);
    EXPECT_EQ(f.fingers, 4);
    EXPECT_EQ(f.lowestFret, 1);
    EXPECT_EQ(f.highestFret, 3);

    const HandShape bb6 = shapeOf("x 1 3 3 3 3");
    ASSERT_TRUE(bb6.playable);
    EXPECT_FALSE(bb6.barre);
    EXPECT_TRUE(bb6.secondBarre) << "one finger lies across strings 4 to 1 at the top fret";
    EXPECT_EQ(bb6.fingers, 2);

    // A partial barre: strings 3 to 1 only.
    const HandShape partial = shapeOf("x 3 3 2 1 1");
    ASSERT_TRUE(partial.playable);
    EXPECT_TRUE(partial.barre);
    EXPECT_EQ(partial.fingers, 4);

    EXPECT_EQ(fingersNeeded(fretsOf("5 5 5 5 5 5")), 1);
}

TEST(Playability, AnOpenOrSilentStringBreaksTheBarre) {
    // The open A under the index would ring: the three strings at fret 1
    // need their own fingers, five in all.
    EXPECT_FALSE(isPlayable(fretsOf("3 2 3 0 2 3")));
    // The index can still lie across strings 2 and 1, with another finger
    // beside it on string 6.
    const HandShape lifted = shapeOf("1 0 3 2 1 1");
    ASSERT_TRUE(lifted.playable);
    EXPECT_TRUE(lifted.barre);
    EXPECT_TRUE(lifted.fingerBesideBarre);
    EXPECT_EQ(fingersNeeded(fretsOf("1 x 1 x 1 x")), 3) << "no barre over silent strings";
}

TEST(Playability, TheHandReachesFourFretsAndHoldsFourFingers) {
    EXPECT_TRUE(isPlayable(fretsOf("x 2 3 4 5 x")));
    EXPECT_FALSE(isPlayable(fretsOf("x 2 3 4 6 x"))) << "five frets";
    EXPECT_FALSE(isPlayable(fretsOf("x 3 x x x 8")));
    EXPECT_FALSE(isPlayable(fretsOf("1 2 3 4 3 x"))) << "five fingers";
    EXPECT_EQ(fingersNeeded(fretsOf("x 2 3 4 5 x")), 4);
    EXPECT_EQ(fingersNeeded(fretsOf("x 2 3 4 6 x")), -1);
    EXPECT_EQ(fingersNeeded(fretsOf("0 0 0 0 0 0")), 0);
}

TEST(Playability, ASilentStringBetweenSoundingOnesIsDampedByTheFingerBelowIt) {
    EXPECT_TRUE(isPlayable(fretsOf("3 x 0 0 0 3")));
    EXPECT_TRUE(isPlayable(fretsOf("x 3 x 2 1 0")));
    EXPECT_FALSE(isPlayable(fretsOf("x 0 x 2 1 0"))) << "an open string damps nothing";
    EXPECT_FALSE(isPlayable(fretsOf("3 x x 0 0 3"))) << "one finger damps one string";
    EXPECT_FALSE(isPlayable(fretsOf("x 3 2 x x 3")));
}

} // namespace
} // namespace strumvale::theory
