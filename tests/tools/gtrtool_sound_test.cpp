#include "formats/chordfile.h"
#include "model/chord_document.h"
#include "platform/file.h"
#include "support/run_tool.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

using namespace strumvale;
using test::TempDir;

using test::ScopedVariable;

namespace {

test::ToolRun gtrtool(const TempDir& dir, const std::vector<std::string>& arguments) {
    return test::runTool(dir.path(), "gtrtool", arguments);
}

std::string soundChordfile(const TempDir& dir) {
    model::ChordDocument document;
    document.Reset();
    document.Chords.Add({"E", "\xC9t\xE9", "0 2 2 1 0 0"});
    document.Chords.Add({"E", "E", "x x x x x 0"});
    document.Chords.Add({"E", "broken", "0 2 2 1 0 13"});
    document.Tunings.Add({"Drop D", "D1,A1,D2,G2,B2,E3"});
    model::DrumPattern pattern;
    pattern.Name = "Fast";
    pattern.Tempo = 600;
    pattern.Pattern[model::DrumPattern::cellIndex(1, 1)] = 1;
    pattern.Pattern[model::DrumPattern::cellIndex(9, 2)] = 1;
    pattern.Instruments[1] = 3;
    pattern.Volumes[1] = 80;
    document.DrumPatterns.Add(pattern);
    std::string path = dir.file("sound.gtr");
    formats::SaveChordfile(document, path);
    return path;
}

// The logged messages without their times.
std::vector<std::string> loggedBytes(const std::string& path) {
    std::string text;
    platform::readWholeFile(path, text);
    std::istringstream lines(text);
    std::vector<std::string> bytes;
    for (std::string line; std::getline(lines, line);) {
        auto space = line.find(' ');
        bytes.push_back(line.substr(space + 1));
    }
    std::remove(path.c_str());
    return bytes;
}

} // namespace

TEST(GtrtoolSound, ListsDevicesWithTheLogLast) {
    TempDir dir;
    ScopedVariable log("STRUMVALE_MIDI_LOG", dir.file("midi.log"));
    auto devices = gtrtool(dir, {"devices"});
    EXPECT_EQ(devices.status, 0) << devices.err;
    EXPECT_EQ(devices.out.rfind("out 0: Built-in synthesizer\n", 0), 0u) << devices.out;
    EXPECT_NE(devices.out.find(": MIDI log\n"), std::string::npos);
    EXPECT_EQ(devices.err, "");
    EXPECT_EQ(gtrtool(dir, {"devices", "extra"}).status, 3);
}

TEST(GtrtoolSound, StrumsThroughTheMidiLog) {
    TempDir dir;
    std::string file = soundChordfile(dir);
    std::string log = dir.file("midi.log");
    ScopedVariable logVariable("STRUMVALE_MIDI_LOG", log);
    // With no ALSA ports the log is device 1; find it wherever it is.
    std::string listing = gtrtool(dir, {"devices"}).out;
    auto at = listing.find(": MIDI log");
    ASSERT_NE(at, std::string::npos);
    std::string device =
        listing.substr(listing.rfind("out ", at) + 4, at - listing.rfind("out ", at) - 4);

    auto strum = gtrtool(dir, {"strum", file, "\xC3\x89t\xC3\xA9", "--device", device, "--speed",
                               "10", "--decay", "100"});
    EXPECT_EQ(strum.status, 0) << strum.err;
    EXPECT_EQ(loggedBytes(log),
              (std::vector<std::string>{"c0 00 00", "90 28 7f", "c0 00 00", "90 2f 7f", "c0 00 00",
                                        "90 34 7f", "c0 00 00", "90 38 7f", "c0 00 00", "90 3b 7f",
                                        "c0 00 00", "90 40 7f", "80 28 00", "80 2f 00", "80 34 00",
                                        "80 38 00", "80 3b 00", "80 40 00"}));

    // Moved to another tuning's strings, as the window plays it, the chord
    // sounds the same notes: in the file's Drop D and in Open G given as notes.
    for (const char* tuning : {"Drop D", "D1,G1,D2,G2,B2,D3"}) {
        auto moved = gtrtool(dir, {"strum", file, "\xC3\x89t\xC3\xA9", "--tuning", tuning,
                                   "--device", device, "--speed", "10", "--decay", "100"});
        EXPECT_EQ(moved.status, 0) << moved.err;
        std::vector<std::string> struck;
        for (const std::string& message : loggedBytes(log)) {
            if (message.starts_with("90"))
                struck.push_back(message);
        }
        EXPECT_EQ(struck, (std::vector<std::string>{"90 28 7f", "90 2f 7f", "90 34 7f", "90 38 7f",
                                                    "90 3b 7f", "90 40 7f"}))
            << tuning;
    }

    auto options = gtrtool(dir, {"strum", file, "E", "--tuning", "Drop D", "--device", device,
                                 "--channel", "9", "--instrument", "100", "--volume", "64",
                                 "--speed", "10", "--decay", "100"});
    EXPECT_EQ(options.status, 0) << options.err;
    EXPECT_EQ(loggedBytes(log), (std::vector<std::string>{"c9 7c 00", "99 40 40", "89 40 00"}));

    // The timing itself is the sequencer's, tested on a virtual clock and
    // measured by the timing benchmark; one pass shows the tool plays it.
    auto drum = gtrtool(dir, {"drum", file, "Fast", "--device", device});
    EXPECT_EQ(drum.status, 0) << drum.err;
    EXPECT_EQ(loggedBytes(log),
              (std::vector<std::string>{"99 23 7f", "89 23 00", "99 26 50", "89 26 00"}));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"sound.gtr"}) << "no settings file";
}

TEST(GtrtoolSound, FailuresHaveTheirStatusAndText) {
    TempDir dir;
    std::string file = soundChordfile(dir);
    auto missing = gtrtool(dir, {"strum", file, "Cmaj"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "no chord named Cmaj\n");
    auto broken = gtrtool(dir, {"strum", file, "broken"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "invalid tab: 0 2 2 1 0 13\n");
    EXPECT_EQ(gtrtool(dir, {"strum", file, "E", "--tuning", "Open G"}).status, 1);
    EXPECT_EQ(gtrtool(dir, {"strum", file, "E", "--tuning", "D1,A1,D2,G2,B2"}).status, 1)
        << "five notes are no tuning";
    // A string tuned far down moves the chord past the last fret.
    auto past = gtrtool(dir, {"strum", file, "E", "--tuning", "E1,A1,D2,G2,B2,C#2"});
    EXPECT_EQ(past.status, 1);
    EXPECT_EQ(past.err, "invalid tab: x x x x x 15\n");
    EXPECT_EQ(gtrtool(dir, {"drum", file, "Slow"}).status, 1);

    ScopedVariable font("STRUMVALE_SOUNDFONT", dir.file("none.sf2"));
    auto unopened = gtrtool(dir, {"strum", file, "E", "--device", "0"});
    EXPECT_EQ(unopened.status, 2);
    EXPECT_EQ(unopened.err, "Could not initialize the chordplayer! No General MIDI sound font "
                            "could be loaded (install fluid-soundfont-gm or set "
                            "STRUMVALE_SOUNDFONT).\n");
    auto absent = gtrtool(dir, {"drum", file, "Fast", "--device", "99"});
    EXPECT_EQ(absent.status, 2);
    EXPECT_EQ(absent.err,
              "No open MIDI Devices! The specified device identifier is out of range.\n");

    for (auto arguments :
         std::vector<std::vector<std::string>>{{"strum", file},
                                               {"strum", file, "E", "--speed"},
                                               {"strum", file, "E", "--speed", "fast"},
                                               {"strum", file, "E", "--loud", "1"},
                                               {"drum", file, "Fast", "--loops", "0"}})
        EXPECT_EQ(gtrtool(dir, arguments).status, 3);
}
