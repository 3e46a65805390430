#include "formats/song_file.h"
#include "library/shown_song.h"
#include "model/tuning_notes.h"

#include <gtest/gtest.h>

using namespace strumvale;

namespace {

model::Song songOf(const std::string& text) {
    return formats::readSongs(text).front();
}

std::vector<std::string> namesOf(const model::Playlist& playlist) {
    std::vector<std::string> names;
    for (const model::Chord& entry : playlist.entries())
        names.push_back(model::Playlist::isSeparator(entry) ? "|" : entry.Name);
    return names;
}

} // namespace

TEST(ShownSong, TheFilesCapoIsWhereTheReaderStartsAndMovingItKeepsWhatSounds) {
    // As song sites write it: the chords are the shapes played behind the capo.
    const model::Song written = songOf("{title: Wonderwall-ish}\n{key: F#m}\n{capo: 2}\n"
                                       "[Em7]Today is [G]gonna be the [Dsus4]day [A7sus4]\n");
    EXPECT_EQ(library::writtenAdjustment(written), (library::SongAdjustment{0, 2}));
    EXPECT_EQ(library::shownSong(written, {0, 2}), written) << "as the file has it";
    // Capo off: the same sound in open shapes.
    const model::Song open = library::shownSong(written, {0, 0});
    EXPECT_EQ(model::chordSequence(open),
              (std::vector<std::string>{"F#m7", "A", "Esus4", "B7sus4"}));
    EXPECT_EQ(open.meta("capo"), "0");
    // Capo 4: shapes two frets lower still.
    EXPECT_EQ(model::chordSequence(library::shownSong(written, {0, 4})),
              (std::vector<std::string>{"Dm7", "F", "Csus4", "G7sus4"}));
    // Transposed up a tone with the capo kept.
    const model::Song up = library::shownSong(written, {2, 2});
    EXPECT_EQ(up.meta("key"), "G#m");
    EXPECT_EQ(model::chordSequence(up).front(), "F#m7");

    for (const char* odd : {"{capo: twelve}", "{capo: -1}", "{capo: 12}", "{capo: 3 frets}"})
        EXPECT_EQ(library::writtenCapo(songOf(std::string(odd) + "\n[C]x\n")), 0) << odd;
    EXPECT_EQ(library::writtenCapo(songOf("{capo: 5 }\n")), 5);
}

TEST(ShownSong, ASongsOwnTransposeIsShownAndMovesOnWithTheReaders) {
    const model::Song written = songOf("{key: C}\n{transpose: 2}\n[C]Sing [F]along [G7]now\n");
    const model::Song shown = library::shownSong(written, {0, 0});
    EXPECT_EQ(model::chordSequence(shown), (std::vector<std::string>{"D", "G", "A7"}));
    EXPECT_EQ(shown.meta("key"), "D");
    EXPECT_EQ(model::chordSequence(library::shownSong(written, {-2, 0})),
              (std::vector<std::string>{"C", "F", "G7"}));
}

TEST(ShownSong, SentToThePlaylistItsChordsComeInOrderWithItsPartsApart) {
    const model::Song song = songOf("{sov}\n[G]Vintern [C]rasat\n{eov}\n\n{soc}\n[D]Sol [G]sken\n"
                                    "{eoc}\n{chorus}\n{sov}\n[Xyz]Okänt [*Coda]slut\n{eov}\n");
    const std::vector<library::SongShape> shapes = {
        {"G", "3 2 0 0 0 3", library::SongShape::Source::Library},
        {"C", "x 3 2 0 1 0", library::SongShape::Source::Library},
        {"D", "x x 0 2 3 2", library::SongShape::Source::Finder},
        {"Xyz", "", library::SongShape::Source::Unknown}};
    const library::SongPlaylist sent =
        library::songPlaylist(song, shapes, model::kStandardTuningNotes, 0);
    EXPECT_EQ(sent.leftOut, 0);
    // The recalled chorus again; the unknown chord keeps its place, muted;
    // an annotation is no chord.
    EXPECT_EQ(namesOf(sent.playlist),
              (std::vector<std::string>{"G", "C", "|", "D", "G", "|", "D", "G", "|", "Xyz"}));
    EXPECT_EQ(sent.playlist.entries().back().Tab, "x x x x x x");
    EXPECT_EQ(sent.playlist.entries()[3].Tab, "x x 0 2 3 2");
    EXPECT_EQ(sent.playlist.Lyrics, "Vintern rasat\n\nSol sken\n\nSol sken\n\nOk\xe4nt slut")
        << "in the playlist's own text";

    // With a capo the entries sound where the capo puts them.
    const library::SongPlaylist capo =
        library::songPlaylist(song, shapes, model::kStandardTuningNotes, 2);
    EXPECT_EQ(capo.playlist.tuningNotes(0), "F#1,B1,E2,A2,C#3,F#3");
}

TEST(ShownSong, ALongSongFillsThePlaylistAndCountsWhatDidNotFit) {
    std::string text;
    for (int part = 0; part < 3; ++part) {
        text += "{sov}\n";
        for (int line = 0; line < 5; ++line)
            text += "[G]la [C]la\n";
        text += "{eov}\n";
    }
    const std::vector<library::SongShape> shapes = {
        {"G", "3 2 0 0 0 3", library::SongShape::Source::Library},
        {"C", "x 3 2 0 1 0", library::SongShape::Source::Library}};
    const library::SongPlaylist sent =
        library::songPlaylist(songOf(text), shapes, model::kStandardTuningNotes, 0);
    // 30 chords: no room for separators, and three left out.
    EXPECT_EQ(sent.playlist.count(), model::Playlist::kCapacity);
    EXPECT_EQ(sent.leftOut, 3);
    for (const model::Chord& entry : sent.playlist.entries())
        EXPECT_FALSE(model::Playlist::isSeparator(entry));
}
