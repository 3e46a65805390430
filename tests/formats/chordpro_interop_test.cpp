#include "formats/chordpro.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace strumvale::test {
namespace {

struct Formatted {
    int status = -1;
    std::string warnings;
};

// Another ChordPro program formats the song; what it complains about goes to
// standard error.
Formatted formatElsewhere(const TempDir& dir, const std::string& song) {
    std::ofstream(dir.file("song.cho"), std::ios::binary) << song;
    const std::string command = std::string(STRUMVALE_CHORDII) + " -o '" + dir.file("song.ps") +
                                "' '" + dir.file("song.cho") + "' 2>'" + dir.file("errors") + "'";
    Formatted formatted;
    const int raw = std::system(command.c_str());
    formatted.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream errors(dir.file("errors"));
    std::stringstream text;
    text << errors.rdbuf();
    formatted.warnings = text.str();
    return formatted;
}

TEST(ChordProInteropTest, AnotherProgramFormatsOurSongsWithoutAWord) {
    model::Playlist playlist;
    playlist.append(model::Playlist::separator());
    playlist.append(model::Chord("C", "C", "x 3 2 0 1 0"));
    playlist.append(model::Chord("C", "C - Drop D (D-A-D-G-B-E)", "x 3 2 0 1 3"));
    playlist.append(model::Chord("C", "C & G/B [alt]", "x 2 0 0 1 3"));
    playlist.append(model::Playlist::separator());
    playlist.append(model::Playlist::separator());
    playlist.append(model::Chord("B", "B {high}", "x 14 16 16 16 14"));
    playlist.append(model::Chord("E", "*E", "0 2 2 1 0 0"));
    playlist.append(model::Chord("E", "", "x x x x x x"));
    playlist.append(model::Chord("C", "C", "x 3 5 5 5 3"));
    playlist.append(model::Chord("A", "Wide", "5 x x x x 15"));
    playlist.append(model::Playlist::separator());
    playlist.Lyrics = "# not a comment\n{not a directive}\nla [la] la } and {\nends with \\\n"
                      "\xC5sa \x80 \xE9t\xE9\n\n  indented";

    TempDir dir;
    const Formatted song = formatElsewhere(dir, formats::writeChordPro(playlist, "Set {1}"));
    EXPECT_EQ(song.status, 0);
    // No unknown chord (each comes from its define), no stray bracket or
    // brace, no unknown directive.
    EXPECT_EQ(song.warnings, "");
}

} // namespace
} // namespace strumvale::test
