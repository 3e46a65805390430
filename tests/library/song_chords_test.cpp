#include "formats/chordpro.h"
#include "library/song_chords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace strumvale;
using model::Chord;
using model::Playlist;

namespace {

Playlist readSong(std::string_view bytes, const std::vector<Chord>& library) {
    return formats::readChordPro(bytes, {library::songChordLookup(library)});
}

// Entries as "name=tab", separators as "|".
std::vector<std::string> chordsOf(const Playlist& playlist) {
    std::vector<std::string> chords;
    for (const Chord& entry : playlist.entries())
        chords.push_back(Playlist::isSeparator(entry) ? "|" : entry.Name + "=" + entry.Tab);
    return chords;
}

} // namespace

TEST(SongChords, TabsComeFromDefinesThenTheLibraryThenTheVoicingFinder) {
    const std::vector<Chord> library = {
        Chord("E", "Em", "0 2 2 0 0 0"), Chord("E", "Em", "x x 2 0 0 0"),
        Chord("A", "Am - Drop D", "x 0 7 5 5 5"), Chord("G", "G", "x x x x x 3")};
    const Playlist playlist =
        readSong("{define: G base-fret 1 frets 3 2 0 0 0 3}\n"
                 "{define: Bb base-fret 6 frets 1 3 3 2 1 1}\n"
                 "{define Cm7 3 x 1 3 1 2 1}\n"
                 "{chord: A7 base-fret 1 frets x 0 2 0 2 0}\n"
                 "{define-ukulele: D 2 2 2 0}\n"
                 "{define-guitar: D base-fret 1 frets x x 0 2 3 2 fingers 0 0 0 1 3 2}\n"
                 "{define: E9 base-fret 7 frets 0 1 3 1 0 X}\n"
                 "{define: Dsus base-fret 1 frets N -1 0 2 3 3}\n"
                 "{define: F#m base-fret 2 frets 1 3 3 1 1 1}\n"
                 "[G]a[Bb]b[Cm7]c[A7]d [D] [E9] [Dsus] [F#m]\n[Em] [Am] [D7] [Xyz]\n",
                 library);
    EXPECT_EQ(chordsOf(playlist),
              (std::vector<std::string>{"G=3 2 0 0 0 3", "Bb=6 8 8 7 6 6", "Cm7=x 3 5 3 4 3",
                                        "A7=x 0 2 0 2 0", "D=x x 0 2 3 2", "E9=0 7 9 7 0 x",
                                        "Dsus=x x 0 2 3 3", "F#m=2 4 4 2 2 2", "Em=0 2 2 0 0 0",
                                        "Am=x 0 2 2 1 0", "D7=x x 0 2 1 2", "Xyz=x x x x x x"}));
    EXPECT_EQ(playlist.entries()[1].RootNote, "B");
    EXPECT_EQ(playlist.entries()[7].RootNote, "F");
    EXPECT_EQ(playlist.entries()[8], library[0]);
}
