#include "container/container.h"
#include "formats/chordfile.h"
#include "model/fingering.h"
#include "platform/file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace strumvale;
using test::runTool;
using test::TempDir;

namespace {

test::ToolRun gtrtool(const TempDir& dir, const std::vector<std::string>& arguments) {
    return runTool(dir.path(), "gtrtool", arguments);
}

// A chordfile whose texts hold accented letters, tabs and line breaks.
std::string sampleChordfile(const TempDir& dir) {
    model::ChordDocument document;
    document.Reset();
    document.Author = "Ren\xE9";
    document.Homepage = "example.org";
    document.Info = "two\r\nlines\tand a \\";
    document.Chords.Add({"C", "Cmaj", "x 3 2 0 1 0"});
    document.Chords.Add({"E", "\xC9t\xE9", "0 2 2 1 0 0"});
    document.Chords.Add({"C", "C7", "x 3 2 3 1 0"});
    model::Scale scale;
    scale.Name = "Major";
    scale.setIntervals("1 2 3 4 5 6 7");
    scale.setNotes("C D E F G A B");
    scale.Description = "Ionian;bright";
    document.Scales.Add(scale);
    model::DrumPattern pattern;
    pattern.Name = "Rock";
    pattern.Pattern[model::DrumPattern::cellIndex(1, 1)] = 1;
    pattern.Pattern[model::DrumPattern::cellIndex(3, 2)] = 1;
    document.DrumPatterns.Add(pattern);
    std::string path = dir.file("sample.gtr");
    formats::SaveChordfile(document, path);
    return path;
}

} // namespace

TEST(GtrtoolPack, PacksAndUnpacksBytesUnchangedUnderTheRightEntryName) {
    TempDir dir;
    std::string bytes("<Chordfile>\r\n\xFF\x00 binary too", 27);
    platform::replaceFile(dir.file("source.xml"), bytes);

    auto pack = gtrtool(dir, {"pack", "source.xml", "out.gtr"});
    EXPECT_EQ(pack.status, 0) << pack.err;
    auto unpack = gtrtool(dir, {"unpack", "out.gtr"});
    EXPECT_EQ(unpack.status, 0);
    EXPECT_EQ(unpack.out, bytes);

    ASSERT_EQ(gtrtool(dir, {"pack", "source.xml", "out.lng"}).status, 0);
    std::string listing;
    ASSERT_EQ(std::system(("unzip -Z1 " + dir.file("out.lng") + " > " + dir.file("names") +
                           " && unzip -Z1 " + dir.file("out.gtr") + " >> " + dir.file("names"))
                              .c_str()),
              0);
    ASSERT_TRUE(platform::readWholeFile(dir.file("names"), listing));
    EXPECT_EQ(listing, "lang.xml\nchords.xml\n");
}

TEST(GtrtoolPack, ErrorsAndUsageHaveTheirOwnStatus) {
    TempDir dir;
    platform::replaceFile(dir.file("plain.gtr"), "<Chordfile/> is no archive");
    auto damaged = gtrtool(dir, {"unpack", "plain.gtr"});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_EQ(damaged.err, "The central directory was not found in the archive (or you were "
                           "trying to open not the last disk of a multi-disk archive)\n");

    auto missing = gtrtool(dir, {"pack", "nothing.xml", "out.gtr"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nothing.xml"), std::string::npos) << "file errors name the file";
    EXPECT_EQ(missing.err.find('\n'), missing.err.size() - 1) << "one line";
    EXPECT_FALSE(platform::readWholeFile(dir.file("out.gtr"), missing.out));

    for (auto arguments : std::vector<std::vector<std::string>>{
             {}, {"pack", "one"}, {"frobnicate"}, {"chords", "a.gtr", "--key"}}) {
        auto usage = gtrtool(dir, arguments);
        EXPECT_EQ(usage.status, 3);
        EXPECT_NE(usage.err.find("usage: gtrtool"), std::string::npos);
    }
    auto help = gtrtool(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"pack", "unpack", "info", "chords", "scales", "tunings", "patterns",
                                "resave", "translate", "pitch"})
        EXPECT_NE(help.out.find(std::string("gtrtool ") + command + " "), std::string::npos);
}

TEST(GtrtoolInspect, PrintsRecordsAsUtf8WithEscapedFields) {
    TempDir dir;
    std::string path = sampleChordfile(dir);

    auto info = gtrtool(dir, {"info", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "Author: Ren\xC3\xA9\nHomepage: example.org\n"
                        "Info: two\\r\\nlines\\tand a \\\\\n"
                        "Chords: 3\nScales: 1\nTunings: 1\nDrumPatterns: 1\n");

    EXPECT_EQ(gtrtool(dir, {"chords", path}).out,
              "C\tCmaj\tx 3 2 0 1 0\nE\t\xC3\x89t\xC3\xA9\t0 2 2 1 0 0\nC\tC7\tx 3 2 3 1 0\n");
    EXPECT_EQ(gtrtool(dir, {"chords", path, "--key", "C"}).out,
              "C\tCmaj\tx 3 2 0 1 0\nC\tC7\tx 3 2 3 1 0\n");
    EXPECT_EQ(gtrtool(dir, {"chords", path, "--search", "\xC3\xA9T\xC3\x89"}).out,
              "E\t\xC3\x89t\xC3\xA9\t0 2 2 1 0 0\n")
        << "the argument is converted, then matched ignoring case";
    EXPECT_EQ(gtrtool(dir, {"chords", path, "--search", "Cma"}).out, "");

    EXPECT_EQ(gtrtool(dir, {"scales", path}).out,
              "Major\t1,2,3,4,5,6,7\tC,D,E,F,G,A,B\tIonian;bright\n");
    EXPECT_EQ(gtrtool(dir, {"tunings", path}).out, "Standard (E-A-D-G-B-E)\tE1,A1,D2,G2,B2,E3\n");
    EXPECT_EQ(gtrtool(dir, {"patterns", path}).out,
              "Rock\t120\t0,0,0,0,0,0,0,0\t127,127,127,127,127,127,127,127\t(1,1)(2,3)\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"sample.gtr"})
        << "no settings file is read or written";
}

TEST(GtrtoolInspect, ResaveTranslateAndReadFailures) {
    TempDir dir;
    std::string path = sampleChordfile(dir);
    ASSERT_EQ(gtrtool(dir, {"resave", path, "copy.gtr"}).status, 0);
    std::string original, copy;
    container::ReadFirstEntry(path, original);
    container::ReadFirstEntry(dir.file("copy.gtr"), copy);
    EXPECT_EQ(copy, original);

    container::WriteSingleEntry(dir.file("empty.gtr"), "chords.xml", "<Chordfile/>");
    auto unreadable = gtrtool(dir, {"chords", "empty.gtr"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, "cannot read empty.gtr\n");
    EXPECT_EQ(gtrtool(dir, {"info", "missing.gtr"}).status, 1);

    auto translated =
        gtrtool(dir, {"translate", "English (Built-in)", "Scales (Tab)", "BPM", "scales"});
    EXPECT_EQ(translated.status, 0);
    EXPECT_EQ(translated.out, "      Scales      \nbpm\nTranslation Error!\n");
    EXPECT_EQ(gtrtool(dir, {"translate", "lang/none.lng", "OK"}).status, 1);
}

namespace strumvale::test {
namespace {

TEST(GtrtoolTheory, NamesFingeringsAndListsVoicings) {
    TempDir dir;
    const auto run = [&](const std::vector<std::string>& arguments) {
        return runTool(dir.path(), "gtrtool", arguments);
    };
    const ToolRun named = run({"name", "x 3 2 2 1 3"});
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(named.out.substr(0, named.out.find('\n')), "C6");
    EXPECT_NE(named.out.find("Am7/C\n"), std::string::npos);
    EXPECT_EQ(run({"name", "0 0 0 2 3 2", "--tuning", "D1,A1,D2,G2,B2,E3"}).out, "D\n");
    EXPECT_EQ(run({"name", "x x x x x 3"}).status, 1);
    EXPECT_EQ(run({"name", "x 3 2 0 1 0", "--tuning", "E1,A1"}).status, 3);

    const ToolRun voiced = run({"voicings", "D7", "--limit", "2"});
    EXPECT_EQ(voiced.status, 0);
    EXPECT_EQ(voiced.out.substr(0, voiced.out.find('\n')), "x x 0 2 1 2");
    EXPECT_EQ(std::count(voiced.out.begin(), voiced.out.end(), '\n'), 2);
    // "H" is B on Central European charts; a letter no chart uses is refused.
    EXPECT_EQ(run({"voicings", "Hm7", "--limit", "1"}).status, 0);
    const ToolRun refused = run({"voicings", "Jm7"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("no chord name"), std::string::npos);
    EXPECT_EQ(run({"voicings", "C", "--limit", "zero"}).status, 3);

    // Voicings past the last fret could be neither shown nor played: asking
    // for them is refused, saying why; up to it every tab is one the neck holds.
    const ToolRun high = run({"voicings", "E", "--max-fret", "15"});
    EXPECT_EQ(high.status, 3);
    EXPECT_NE(
        high.err.find("--max-fret 15: this chord reaches fret 15, beyond the 12 the neck shows"),
        std::string::npos)
        << high.err;
    const ToolRun top = run({"voicings", "E", "--max-fret", "12", "--limit", "200"});
    EXPECT_EQ(top.status, 0);
    std::istringstream tabs(top.out);
    int count = 0;
    for (std::string tab; std::getline(tabs, tab); ++count)
        EXPECT_TRUE(model::isValidTab(tab)) << tab;
    EXPECT_GT(count, 10);
}

} // namespace
} // namespace strumvale::test
