#include "theory/song_transposition.h"

#include <gtest/gtest.h>

using namespace strumvale;
using theory::transposeChordName;

namespace {

model::Song songIn(const char* key, std::vector<std::string> chords) {
    model::Song song;
    if (key)
        song.setMeta("key", key);
    model::SongLine line;
    line.text = "la la la la la";
    for (std::size_t i = 0; i < chords.size(); ++i)
        line.chords.push_back({i * 3, chords[i]});
    song.lines.push_back(line);
    return song;
}

std::vector<std::string> namesOf(const model::Song& song) {
    return model::chordSequence(song);
}

} // namespace

TEST(SongTransposition, ASongLandsInItsNewKeysSpelling) {
    // G up 3 is Bb: flats throughout, not A# and D#.
    const auto up = theory::transposed(songIn("G", {"G", "C", "D", "Em", "D/F#"}), 3);
    EXPECT_EQ(up.meta("key"), "Bb");
    EXPECT_EQ(namesOf(up), (std::vector<std::string>{"Bb", "Eb", "F", "Gm", "F/A"}));
    // E up 2 is F#: sharps.
    const auto sharp = theory::transposed(songIn("E", {"E", "A", "B7", "C#m", "G#m7b5"}), 2);
    EXPECT_EQ(sharp.meta("key"), "F#");
    EXPECT_EQ(namesOf(sharp), (std::vector<std::string>{"F#", "B", "C#7", "D#m", "A#m7b5"}));
    // A minor key keeps its mode.
    EXPECT_EQ(theory::transposed(songIn("Am", {"Am"}), -2).meta("key"), "Gm");
    EXPECT_EQ(theory::transposed(songIn("G", {"G"}), 12).meta("key"), "G");
}

TEST(SongTransposition, ChordsKeepTheirWrittenQualityAndTheirBass) {
    EXPECT_EQ(transposeChordName("D/F#", 2), "E/G#");
    EXPECT_EQ(transposeChordName("Cmaj7/G", 3, *theory::keySpelling("Eb")), "Ebmaj7/Bb");
    EXPECT_EQ(transposeChordName("Cmin7", 2), "Dmin7") << "written as the song writes it";
    EXPECT_EQ(transposeChordName("Bbsus4", 2), "Csus4");
    EXPECT_EQ(transposeChordName("H7", 1), "C7");
    // Not chords: kept as written, never lost.
    EXPECT_EQ(transposeChordName("N.C.", 5), "N.C.");
    EXPECT_EQ(transposeChordName("*Coda", 5), "*Coda");
    // Every root up and back down is the chord it was (spelt for the chord).
    for (const char* root : {"C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"}) {
        for (int step = -11; step <= 11; ++step) {
            const std::string chord = std::string(root) + "7";
            EXPECT_EQ(transposeChordName(transposeChordName(chord, step), -step),
                      transposeChordName(chord, 0))
                << chord << " by " << step;
        }
    }
}

TEST(SongTransposition, ACapoShowsTheShapesForItsFretAndKeepsWhatSounds) {
    const auto capo = theory::withCapo(songIn("A", {"A", "D", "E7", "F#m", "C#m/G#"}), 2);
    EXPECT_EQ(namesOf(capo), (std::vector<std::string>{"G", "C", "D7", "Em", "Bm/F#"}));
    EXPECT_EQ(capo.meta("key"), "A") << "what sounds";
    EXPECT_EQ(capo.meta("capo"), "2");
    EXPECT_EQ(namesOf(theory::withCapo(songIn(nullptr, {"Bb"}), 3)),
              (std::vector<std::string>{"G"}));
}

TEST(SongTransposition, ASongsOwnTransposeDirectivesMoveTheChordsAfterThem) {
    auto directive = [](const char* argument, const char* selector = "") {
        model::SongLine line;
        line.kind = model::SongLine::Kind::Directive;
        line.name = line.writtenName = "transpose";
        line.selector = selector;
        line.argument = argument;
        return line;
    };
    // Written in G, sung a tone up from the start, then the last part a
    // further fourth: the key follows the first, every chord its own.
    model::Song song = songIn("G", {"G", "C"});
    song.lines.insert(song.lines.begin(), directive(" +2 "));
    song.lines.push_back(songIn(nullptr, {"D/F#"}).lines[0]);
    song.lines.push_back(directive("5"));
    song.lines.push_back(songIn(nullptr, {"G", "Em"}).lines[0]);
    const model::Song applied = theory::withTranspositionsApplied(song);
    EXPECT_EQ(applied.meta("key"), "A");
    EXPECT_EQ(namesOf(applied), (std::vector<std::string>{"A", "D", "E/G#", "C", "Am"}));
    // Applied once: nothing is left to move them again.
    EXPECT_EQ(theory::withTranspositionsApplied(applied), applied);

    // One for another instrument, or one that is no number, is kept and moves nothing.
    model::Song other = songIn("G", {"G"});
    other.lines.insert(other.lines.begin(), directive("3", "ukulele"));
    other.lines.insert(other.lines.begin(), directive("up a bit"));
    EXPECT_EQ(theory::withTranspositionsApplied(other), other);
}
