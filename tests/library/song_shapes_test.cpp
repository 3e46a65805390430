#include "formats/song_file.h"
#include "library/song_shapes.h"
#include "model/tuning_notes.h"

#include <gtest/gtest.h>

using namespace strumvale;
using library::SongShape;

TEST(SongShapes, TheSongsOwnShapeThenTheLibrarysThenTheFindersAndUnknownsSaySo) {
    const auto songs = formats::readSongs("{title: Shapes}\n"
                                          "{define: Am base-fret 5 frets 1 3 3 1 1 1}\n"
                                          "{chord: Dsus 1 x x 0 2 3 3}\n"
                                          "{soc}\n[Am]one [C]two [Dsus]three [Xyz7]four\n{eoc}\n"
                                          "{chorus}\n[Bb]five [Am]six\n");
    const std::vector<model::Chord> chords = {{"C", "C", "x 3 2 0 1 0"},
                                              {"C", "C", "8 10 10 9 8 8"}};
    const auto shapes = library::songShapes(songs[0], chords, model::kStandardTuningNotes);
    ASSERT_EQ(shapes.size(), 5u) << "each chord once, in the order first heard";
    EXPECT_EQ(shapes[0].tab, "5 7 7 5 5 5");
    EXPECT_EQ(shapes[0].source, SongShape::Source::Defined);
    EXPECT_EQ(shapes[1].tab, "x 3 2 0 1 0") << "the first of the library's C chords";
    EXPECT_EQ(shapes[1].source, SongShape::Source::Library);
    EXPECT_EQ(shapes[2].tab, "x x 0 2 3 3") << "the older {chord} form";
    EXPECT_EQ(shapes[3].name, "Xyz7");
    EXPECT_EQ(shapes[3].source, SongShape::Source::Unknown);
    EXPECT_EQ(shapes[4].name, "Bb");
    EXPECT_EQ(shapes[4].source, SongShape::Source::Finder);
    EXPECT_EQ(shapes[4].tab, "x 1 3 3 3 1");

    // In Drop D the library's standard-tuning tabs do not apply.
    const auto drop = library::songShapes(songs[0], chords, "D1,A1,D2,G2,B2,E3");
    EXPECT_EQ(drop[1].source, SongShape::Source::Finder);
    EXPECT_EQ(drop[0].source, SongShape::Source::Defined);
}
