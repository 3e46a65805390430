#include "model/fingering.h"
#include "model/tuning_notes.h"

#include <gtest/gtest.h>

using namespace strumvale::model;

static const TabTokens kAllMuted = {"x", "x", "x", "x", "x", "x"};

TEST(SplitTab, AnyTokenCountButSixGivesAllMuted) {
    EXPECT_EQ(splitTab("0 2 2 1 0 0"), (TabTokens{"0", "2", "2", "1", "0", "0"}));
    EXPECT_EQ(splitTab("x x x x x"), kAllMuted);
    EXPECT_EQ(splitTab(""), kAllMuted);
    EXPECT_EQ(splitTab("1 2 3 4 5 6 7"), kAllMuted);
    EXPECT_TRUE(isValidTab("x x x x x"));
    EXPECT_TRUE(isValidTab(""));

    // A doubled space makes an empty token, which counts.
    EXPECT_EQ(splitTab("x  x x x x"), (TabTokens{"x", "", "x", "x", "x", "x"}));
    EXPECT_FALSE(isValidTab("x  x x x x"));
}

TEST(IsValidTab, EveryTokenMustBeMutedOrAFretUpToTwelve) {
    EXPECT_TRUE(isValidTab("x 3 2 0 1 0"));
    EXPECT_TRUE(isValidTab("12 10 11 9 0 x"));
    for (const char* invalid : {"x 3 2 0 1 13", "x 3 2 0 1 01", "x 3 2 0 1 -1", "X 3 2 0 1 0",
                                " x 3 2 0 1", "x 3 2 0 1 1x", "x 3 2 0 1 20"})
        EXPECT_FALSE(isValidTab(invalid)) << invalid;
    // A trailing space makes a seventh token, so the text reads as all muted.
    EXPECT_TRUE(isValidTab("x 3 2 0 1 0 "));
}

TEST(JoinTab, RoundTripsAValidTab) {
    EXPECT_EQ(joinTab(splitTab("x 3 2 0 1 0")), "x 3 2 0 1 0");
    EXPECT_EQ(joinTab(kAllMuted), kMutedTab);
}

TEST(TabToken, ReadsStringsFromSixDownAndDiffersFromSplitTabOnOddTexts) {
    EXPECT_EQ(tabToken("0 2 2 1 0 0", 3), "1");
    EXPECT_EQ(tabToken("0 2 2 1 0 0", 6), "0");
    EXPECT_EQ(tabToken("x 3 2 0 1 0", 5), "3");
    EXPECT_EQ(tabToken("0 2 2 1 0 0", 0), "");
    EXPECT_EQ(tabToken("0 2 2 1 0 0", 7), "");
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(tabToken("x 3 2 0 1 0", n), splitTab("x 3 2 0 1 0")[6 - n]);

    EXPECT_EQ(tabToken("x x x x x", 2), "x");
    EXPECT_EQ(tabToken("x x x x x", 1), "x");
    EXPECT_EQ(tabToken("", 4), "");
    EXPECT_EQ(tabToken("1 2 3 4 5 6 7 8", 1), "6") << "tokens after the sixth are ignored";
}

// Drawing, the notes line, the player and moving to another tuning all read
// tokens this way; the spellings below once read as frets in some of them only.
TEST(ReadToken, EachFretHasOneSpellingAndAnythingElseIsNoFret) {
    using Kind = TokenMeaning::Kind;
    EXPECT_EQ(readToken("x").kind, Kind::Muted);
    EXPECT_EQ(fretOf("x"), -1);
    for (int fret = 0; fret <= 12; ++fret) {
        const std::string token = std::to_string(fret);
        EXPECT_EQ(readToken(token).kind, Kind::Fret) << token;
        EXPECT_EQ(fretOf(token), fret) << token;
    }
    for (const char* token : {"13", "20", "99", "03", "00", "012", " 3", "3 ", "-1", "-0", "+3",
                              "X", "", "1x", "x1", "\t3"}) {
        EXPECT_EQ(readToken(token).kind, Kind::NotAFret) << '"' << token << '"';
        EXPECT_EQ(fretOf(token), -1) << '"' << token << '"';
    }
    // A tab is valid exactly when no token is NotAFret.
    EXPECT_TRUE(isValidTab("x 12 0 10 x 9"));
    EXPECT_FALSE(isValidTab("x 3 2 0 1 03"));
    EXPECT_FALSE(isValidTab("x 3 2 0 1 +1"));
}

TEST(TuningNote, SixFieldsFewerOrMore) {
    EXPECT_EQ(tuningNote("E1,A1,D2,G2,B2,E3", 6), "E1");
    EXPECT_EQ(tuningNote("E1,A1,D2,G2,B2,E3", 4), "D2");
    EXPECT_EQ(tuningNote("E1,A1,D2,G2,B2,E3", 1), "E3");

    EXPECT_EQ(tuningNote("E1,A1", 6), "E1");
    EXPECT_EQ(tuningNote("E1,A1", 1), "A1");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(tuningNote("E1,A1", n), "") << n;

    EXPECT_EQ(tuningNote("E1", 6), "");
    EXPECT_EQ(tuningNote("E1", 1), "E1");
    EXPECT_EQ(tuningNote("E1,A1,D2,G2,B2,E3,A3,B3", 1), "E3,A3,B3");
    EXPECT_EQ(tuningNote("", 1), "");
    EXPECT_EQ(tuningNote("E1,A1,D2,G2,B2,E3", 0), "");
}
