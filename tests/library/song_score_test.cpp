#include "formats/song_file.h"
#include "library/song_score.h"
#include "model/tuning_notes.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace strumvale;

TEST(SongScore, EachChordABarOfTheSongsTimeAtItsTempoWithTheCapo) {
    const auto songs = formats::readSongs("{title: Vals}\n{time: 3/4}\n{tempo: 120}\n"
                                          "[G]Ett [C]två [N.C.]tre\n");
    const auto shapes = library::songShapes(songs[0], {}, model::kStandardTuningNotes);
    const sound::Score score =
        library::songScore(songs[0], shapes, model::kStandardTuningNotes, {.capo = 2});
    ASSERT_EQ(score.entries.size(), 3u);
    EXPECT_EQ(score.stepsPerEntry, 12) << "three beats of four steps";
    EXPECT_EQ(score.stepLength(), std::chrono::milliseconds(125)) << "120 beats a minute";
    // The G shape with a capo at 2 sounds A, its root lowest.
    EXPECT_EQ(score.entries[0].front(), "A1");
    EXPECT_TRUE(score.entries[2].empty()) << "no chord: a rest, never a guess";

    const sound::Score chosen =
        library::songScore(songs[0], shapes, model::kStandardTuningNotes, {.beatsPerChord = 2});
    EXPECT_EQ(chosen.stepsPerEntry, 8);
    EXPECT_EQ(chosen.entries[0].front(), "G1");
}

TEST(SongScore, BarsOfEveryMetreAndTuningsWithACapo) {
    EXPECT_EQ(library::beatsPerBar("4/4"), 4);
    EXPECT_EQ(library::beatsPerBar("6/8"), 2);
    EXPECT_EQ(library::beatsPerBar("12/8"), 4);
    EXPECT_EQ(library::beatsPerBar("7/8"), 7);
    EXPECT_EQ(library::beatsPerBar("3/8"), 3);
    EXPECT_FALSE(library::beatsPerBar("waltz"));
    EXPECT_FALSE(library::beatsPerBar("4/0"));
    EXPECT_EQ(library::tuningWithCapo(model::kStandardTuningNotes, 2), "F#1,B1,E2,A2,C#3,F#3");
    EXPECT_EQ(library::tuningWithCapo("D1,A1,D2,G2,B2,E3", 0), "D1,A1,D2,G2,B2,E3");
}

TEST(SongScore, ATempoThatIsNoWholeNumberOfMillisecondsAStepKeepsItsBeat) {
    for (const char* tempo : {"240", "96", "133"}) {
        const auto songs = formats::readSongs(std::string("{tempo: ") + tempo + "}\n[G]la\n");
        const sound::Score score =
            library::songScore(songs[0], {}, model::kStandardTuningNotes, {});
        std::chrono::nanoseconds total{0};
        for (int step = 0; step < 4000; ++step)
            total += score.stepLength();
        // A thousand beats at the tempo, to a tenth of a millisecond.
        EXPECT_NEAR(std::chrono::duration<double>(total).count(), 1000 * 60.0 / std::stoi(tempo),
                    1e-4)
            << tempo;
    }
}
