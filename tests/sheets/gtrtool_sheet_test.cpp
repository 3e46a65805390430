#include "library/chord_library.h"
#include "support/pdf_text.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"
#include "support/user_names.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

class GtrtoolSheetTest : public ::testing::Test {
protected:
    ToolRun sheet(const std::vector<std::string>& arguments) {
        std::vector<std::string> all = {"sheet"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return runTool(dir.path(), "gtrtool", all);
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir.file(name), std::ios::binary) << bytes;
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }

    TempDir dir;
};

TEST_F(GtrtoolSheetTest, WritesTheSheetOfAChordfileOrASongAsSearchablePdf) {
    ChordLibrary library;
    library.Reset();
    library.Author = "Tool Author";
    library.Chords.Add(model::Chord("E", "Esus4", "0 2 2 2 0 0"));
    library.SaveChordfile(dir.file("lib.gtr"));

    ToolRun run = sheet({"lib.gtr", "lib.pdf"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string text = pdfText(dir.file("lib.pdf"));
    EXPECT_NE(text.find("Author: Tool Author"), std::string::npos) << text;
    EXPECT_NE(text.find("Key E"), std::string::npos);
    EXPECT_NE(text.find("Esus4"), std::string::npos);

    // A song's chord without a define comes from the chordfile given.
    write("tune.chopro", "{title: Tune}\n{define: Hx base-fret 5 frets x 1 3 3 3 1}\n"
                         "[Hx]Sing [Esus4]along\n");
    run = sheet({"tune.chopro", "tune.pdf", "--chordfile", "lib.gtr"});
    ASSERT_EQ(run.status, 0) << run.err;
    text = pdfText(dir.file("tune.pdf"));
    EXPECT_NE(text.find("Tune"), std::string::npos) << "titled by its own title";
    // Each chord above the word it was written before: the chord line, then
    // the lyric line, "Esus4" starting where "along" does.
    const std::size_t lyric = text.find("Sing along");
    ASSERT_NE(lyric, std::string::npos) << text;
    const std::size_t lineStart = text.rfind('\n', lyric) + 1;
    const std::size_t chordLine = text.rfind('\n', lineStart - 2) + 1;
    const std::string chords = text.substr(chordLine, lineStart - chordLine);
    EXPECT_EQ(chords.find("Esus4"), lyric - lineStart + 5) << chords;
    EXPECT_EQ(chords.find("Hx"), lyric - lineStart) << chords;
    // Their tabs under the diagrams: the define's base fret counted in.
    EXPECT_NE(withoutBlanks(text).find("x57775"), std::string::npos) << text;
    EXPECT_NE(withoutBlanks(text).find("022200"), std::string::npos) << text;
}

TEST_F(GtrtoolSheetTest, ASongNamedOutsideAsciiIsTitledByItsOwnName) {
    std::filesystem::create_directory(dir.file(kUserFolder));
    write(kUserFolder + "/" + kUserSong, "[Am]Vi g\xC3\xA5r [E]hem\n");
    const std::string out = kUserFolder + "/Utskrift ł 🎸.pdf";
    ToolRun run = sheet({dir.file(kUserFolder + "/" + kUserSong), dir.file(out)});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(exists(out));
    const std::string text = pdfText(dir.file(out));
    EXPECT_NE(text.find("Sång för Åsa"), std::string::npos) << text;
    EXPECT_NE(text.find("Vi går hem"), std::string::npos) << text;
}

TEST_F(GtrtoolSheetTest, BadInputFailsWithoutWritingAnything) {
    write("broken.cho", "{define: X base-fret 0 frets 1 1 1 1 1 1}\n[X]\n");
    ToolRun run = sheet({"broken.cho", "out.pdf"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot read broken.cho: line 1"), std::string::npos) << run.err;
    EXPECT_FALSE(exists("out.pdf"));

    run = sheet({"missing.gtr", "out.pdf"});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(exists("out.pdf"));

    write("song.cho", "[C]\n");
    run = sheet({"song.cho", "no such folder/out.pdf"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no such folder/out.pdf"), std::string::npos) << run.err;

    // Neither a chordfile nor a song, or no output named: the usage.
    EXPECT_EQ(sheet({"notes.txt", "out.pdf"}).status, 3);
    EXPECT_EQ(sheet({"song.cho"}).status, 3);
    EXPECT_FALSE(exists("out.pdf"));
}

} // namespace
} // namespace strumvale::test
