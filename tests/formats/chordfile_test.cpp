#include "container/container.h"
#include "container/zip_exception.h"
#include "formats/chordfile.h"
#include "support/temp_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

using namespace strumvale;
using namespace strumvale::formats;
using model::ChordDocument;
using test::crlfLines;
using test::TempDir;

namespace {

// A chordfile holding exactly text, written the way any tool would.
std::string chordfileWith(const TempDir& dir, const std::string& text,
                          const std::string& name = "test.gtr") {
    std::string path = dir.file(name);
    container::WriteSingleEntry(path, "chords.xml", text);
    return path;
}

std::string standardOnlyText() {
    return crlfLines({"<Chordfile>", "<Description>", "<Info/>", "<Author/>", "<Homepage/>",
                      "</Description>", "<Tunings>", "<Tuning>",
                      "<Name>Standard (E-A-D-G-B-E)</Name>", "<Notes>E1,A1,D2,G2,B2,E3</Notes>",
                      "</Tuning>", "</Tunings>", "<Scales/>", "<Chords/>", "<Drumpatterns/>",
                      "</Chordfile>"});
}

ChordDocument fullDocument() {
    ChordDocument document;
    document.Reset();
    document.Info = "Info with <tags> & ampersands";
    document.Author = "An author";
    document.Homepage = "example.org";
    document.Tunings.Add({"Drop D", "D1,A1,D2,G2,B2,E3"});
    model::Scale minor;
    minor.Name = "Minor";
    minor.setIntervals("1 2 b3 4 5 b6 b7");
    minor.setNotes("C D D# F G G# A#");
    minor.Description = "Natural minor;Aeolian";
    model::Scale blues;
    blues.Name = "Blues";
    document.Scales.Add(minor);
    document.Scales.Add(blues);
    document.Chords.Add({"C", "C<&>", "x 3 2 0 1 0"});
    document.Chords.Add(model::Chord());
    model::DrumPattern rock;
    rock.Name = "Rock";
    rock.Tempo = -5;
    rock.Instruments = {1, 2, 3, 4, 5, 6, 7, 46};
    rock.Volumes = {0, 10, 20, 30, 40, 50, 60, 127};
    rock.Pattern[model::DrumPattern::cellIndex(16, 2)] = 1;
    rock.Pattern[model::DrumPattern::cellIndex(1, 1)] = 1;
    document.DrumPatterns.Add(rock);
    document.DrumPatterns.Add(model::DrumPattern());
    return document;
}

} // namespace

TEST(ChordfileWriter, WritesTheExactTextOfAnEmptyLibraryAndNewRecords) {
    ChordDocument document;
    document.Reset();
    EXPECT_EQ(chordfileText(document), standardOnlyText());

    document.Tunings.RemoveAll();
    document.Chords.Add(model::Chord());
    document.DrumPatterns.Add(model::DrumPattern());
    EXPECT_EQ(chordfileText(document),
              crlfLines({"<Chordfile>",
                         "<Description>",
                         "<Info/>",
                         "<Author/>",
                         "<Homepage/>",
                         "</Description>",
                         "<Tunings/>",
                         "<Scales/>",
                         "<Chords>",
                         "<Chord>",
                         "<RootNote>A</RootNote>",
                         "<Name/>",
                         "<Tab>x x x x x x</Tab>",
                         "</Chord>",
                         "</Chords>",
                         "<Drumpatterns>",
                         "<Drumpattern>",
                         "<Name/>",
                         "<Tempo>120</Tempo>",
                         "<Instruments>0,0,0,0,0,0,0,0</Instruments>",
                         "<Volumes>127,127,127,127,127,127,127,127</Volumes>",
                         "<Pattern/>",
                         "</Drumpattern>",
                         "</Drumpatterns>",
                         "</Chordfile>"}));
}

TEST(Chordfile, SaveAndLoadReproduceEveryListWithScalesSorted) {
    TempDir dir;
    ChordDocument saved = fullDocument();
    std::string path = dir.file("full.gtr");
    SaveChordfile(saved, path);

    std::string entry;
    container::ReadFirstEntry(path, entry);
    EXPECT_EQ(entry, chordfileText(saved));
    EXPECT_NE(entry.find("<Name>C&lt;&amp;&gt;</Name>"), std::string::npos);
    EXPECT_NE(entry.find("<Intervals>1,2,b3,4,5,b6,b7</Intervals>"), std::string::npos);
    EXPECT_NE(entry.find("<Pattern>(1,1)(2,16)</Pattern>"), std::string::npos);
    EXPECT_NE(entry.find("<Tempo>-5</Tempo>"), std::string::npos);

    ChordDocument loaded;
    loaded.Modified = true;
    ASSERT_TRUE(LoadChordfile(loaded, path));
    EXPECT_TRUE(loaded.Loaded);
    EXPECT_TRUE(loaded.Modified) << "loading leaves Modified alone";
    EXPECT_EQ(loaded.FileName, path);
    EXPECT_EQ(loaded.Info, saved.Info);
    EXPECT_EQ(loaded.Author, saved.Author);
    EXPECT_EQ(loaded.Homepage, saved.Homepage);
    EXPECT_EQ(loaded.Tunings.items(), saved.Tunings.items());
    EXPECT_EQ(loaded.Chords.items(), saved.Chords.items());
    EXPECT_EQ(loaded.DrumPatterns.items(), saved.DrumPatterns.items());
    ASSERT_EQ(loaded.Scales.Count(), 2);
    EXPECT_EQ(loaded.Scales.GetAt(0)->Name, "Blues");
    EXPECT_EQ(*loaded.Scales.GetAt(1), *saved.Scales.GetAt(0));
    EXPECT_EQ(StatisticsText(loaded), "Chords: 2\r\nScales: 2\r\nTunings: 2\r\nDrumPatterns: 2");
}

TEST(ChordfileReader, FailuresResetTheLibraryButKeepTheFileName) {
    TempDir dir;
    ChordDocument document = fullDocument();
    document.FileName = "before.gtr";
    std::string outOfOrder = standardOnlyText();
    outOfOrder.replace(outOfOrder.find("<Info/>\r\n<Author/>"), 18, "<Author/>\r\n<Info/>");
    EXPECT_FALSE(LoadChordfile(document, chordfileWith(dir, outOfOrder)));
    EXPECT_EQ(document.Chords.Count(), 0);
    EXPECT_EQ(document.Info, "");
    ASSERT_EQ(document.Tunings.Count(), 1);
    EXPECT_EQ(document.Tunings.GetAt(0)->Name, "Standard (E-A-D-G-B-E)");
    EXPECT_EQ(document.FileName, "before.gtr");
    EXPECT_FALSE(document.Loaded);

    for (const char* broken :
         {"<Chordfile><Description><Info/><Author/><Homepage/></Description></Chordfile>",
          "<Chordfile><Description><Info/><Author/><Homepage/></Description><Tunings/>"
          "<Scales><Scale><Name>a</Name><Notes/><Intervals/><Description/></Scale></Scales>"
          "<Chords/><Drumpatterns/></Chordfile>",
          "not xml at all, but long enough to pass the binary test", ""}) {
        document = fullDocument();
        EXPECT_FALSE(LoadChordfile(document, chordfileWith(dir, broken))) << broken;
        EXPECT_EQ(document.Scales.Count(), 0) << broken;
    }
    document = fullDocument();
    EXPECT_FALSE(LoadChordfile(document, dir.file("missing.gtr")));
    EXPECT_EQ(document.Tunings.Count(), 1);
}

TEST(ChordfileReader, ContainerErrorsLeaveTheLibraryUntouched) {
    TempDir dir;
    std::string path = dir.file("plain.gtr");
    {
        ChordDocument plain;
        plain.Reset();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::string text = chordfileText(plain);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    ChordDocument document = fullDocument();
    try {
        LoadChordfile(document, path);
        FAIL() << "a plain XML file is no archive";
    } catch (const container::CZipException& error) {
        EXPECT_EQ(error.code(), 116);
    }
    EXPECT_EQ(document.Chords.Count(), 2);
    EXPECT_EQ(document.Scales.Count(), 2);
}

TEST(ChordfileReader, AcceptsAnyRootEmptySectionsAndOddValues) {
    TempDir dir;
    ChordDocument document;
    ASSERT_TRUE(LoadChordfile(
        document, chordfileWith(dir, "<Library><Description><Info>i</Info><Author/><Homepage/>"
                                     "</Description><Tunings/><Scales/><Chords/><Drumpatterns/>"
                                     "</Library>")));
    EXPECT_EQ(document.Tunings.Count(), 0) << "no standard tuning unless the file has it";
    EXPECT_EQ(document.Info, "i");

    ASSERT_TRUE(LoadChordfile(
        document,
        chordfileWith(dir, "<Chordfile><Description><Info/><Author/><Homepage/></Description>"
                           "<Tunings/><Scales>"
                           "<Scale><Name>Minor</Name><Intervals>1 2 b3</Intervals><Notes/>"
                           "<Description/></Scale>"
                           "<Scale><Name>Major B</Name><Intervals/><Notes/><Description/></Scale>"
                           "<Scale><Name>Major A</Name><Intervals/><Notes/><Description/></Scale>"
                           "<Scale><Name>Blues</Name><Intervals/><Notes/><Description/></Scale>"
                           "</Scales><Chords/><Drumpatterns><Drumpattern><Name>p</Name>"
                           "<Tempo>abc</Tempo><Instruments>1,2,x</Instruments>"
                           "<Volumes>99999999999,-99999999999</Volumes>"
                           "<Pattern>(2,16)(1,1)(9,1)(1,17)(0,3)(3)</Pattern>"
                           "</Drumpattern></Drumpatterns></Chordfile>")));
    std::vector<std::string> scaleNames;
    for (const auto& scale : document.Scales.items())
        scaleNames.push_back(scale.Name);
    EXPECT_EQ(scaleNames, (std::vector<std::string>{"Blues", "Major B", "Major A", "Minor"}));
    EXPECT_EQ(document.Scales.GetAt(3)->Intervals(), "1,2,b3");

    const auto pattern = *document.DrumPatterns.GetAt(0);
    EXPECT_EQ(pattern.Tempo, 0);
    EXPECT_EQ(pattern.Instruments, (std::array<std::int32_t, 8>{1, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(pattern.Volumes[0], 2147483647);
    EXPECT_EQ(pattern.Volumes[1], -2147483647 - 1);
    EXPECT_EQ(pattern.Volumes[2], 0) << "missing pieces read as 0";
    int set = 0;
    for (auto cell : pattern.Pattern)
        set += cell;
    EXPECT_EQ(set, 2) << "groups outside the grid are ignored";
    EXPECT_EQ(pattern.Pattern[model::DrumPattern::cellIndex(16, 2)], 1);
    EXPECT_EQ(pattern.Pattern[model::DrumPattern::cellIndex(1, 1)], 1);
}
