#include "model/tuning_notes.h"
#include "platform/file.h"
#include "platform/wav_file.h"
#include "sound/chord_hearing.h"
#include "support/guitar_strums.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Notes = std::vector<std::optional<int>>;

Notes fingered(const char* tab, std::string_view tuning = model::kStandardTuningNotes) {
    const auto strum = sound::expectedStrum(tab, tuning);
    return {strum->notes.begin(), strum->notes.end()};
}

void writeStrum(const std::string& path, std::vector<float> samples) {
    platform::WavAudio audio;
    audio.sampleRate = kStrumRate;
    audio.samples = std::move(samples);
    platform::writeWav(path, audio);
}

ToolRun hear(const TempDir& dir, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "hear");
    return runTool(dir.path(), "gtrtool", arguments);
}

TEST(GtrtoolHear, NamesTheStrumBestFirstThenItsNotes) {
    TempDir dir;
    writeStrum(dir.file("c.wav"), pluckedStrum(fingered("x 3 2 0 1 0"), {}));
    writeStrum(dir.file("am7.wav"), pluckedStrum(fingered("x 0 2 0 1 0"), {}));
    ToolRun run = hear(dir, {"c.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "C");
    EXPECT_NE(run.out.find("\nnotes\tC2 E2 G2\n"), std::string::npos) << run.out;
    run = hear(dir, {"am7.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Am7");
}

TEST(GtrtoolHear, SaysRightOrWrongAndEachStringsFindingStringSixFirst) {
    TempDir dir;
    writeStrum(dir.file("g.wav"), pluckedStrum(fingered("3 2 0 0 0 3"), {}));
    Notes sharp = fingered("x 3 2 0 1 0");
    *sharp[1] += 1;
    writeStrum(dir.file("c sharp.wav"), pluckedStrum(sharp, {}));
    writeStrum(dir.file("drop d.wav"),
               pluckedStrum(fingered("0 0 0 2 3 2", "D1,A1,D2,G2,B2,E3"), {}));

    ToolRun run = hear(dir, {"g.wav", "--expect", "3 2 0 0 0 3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 6), "right\n");
    EXPECT_NE(run.out.find("right\n6\tG1\tsounds\n5\tB1\tsounds\n"), std::string::npos) << run.out;

    run = hear(dir, {"c sharp.wav", "--expect", "x 3 2 0 1 0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 26), "wrong\n6\tx\tmuted\n5\tC#2\twron") << run.out;
    EXPECT_NE(run.out.find("5\tC#2\twrong note\n4\tE2\tsounds\n"), std::string::npos) << run.out;

    run = hear(dir, {"drop d.wav", "--expect", "0 0 0 2 3 2", "--tuning", "D1,A1,D2,G2,B2,E3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("right\n6\tD1\tsounds\n"), std::string::npos) << run.out;
    run = hear(dir, {"drop d.wav", "--expect", "0 0 0 2 3 2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("wrong\n6\tD1\twrong note\n"), std::string::npos) << run.out;
}

TEST(GtrtoolHear, NoStrumIsExitOneAndBadArgumentsAreUsage) {
    TempDir dir;
    writeStrum(dir.file("knock.wav"), knock(3));
    writeStrum(dir.file("talk.wav"), speech(3));
    platform::replaceFile(dir.file("text.wav"), "not a sound");
    for (const char* file : {"knock.wav", "talk.wav", "text.wav"}) {
        for (bool expecting : {false, true}) {
            std::vector<std::string> arguments{file};
            if (expecting)
                arguments.insert(arguments.end(), {"--expect", "x 3 2 0 1 0"});
            const ToolRun run = hear(dir, arguments);
            EXPECT_EQ(run.status, 1) << file;
            EXPECT_TRUE(run.out.empty()) << run.out;
            EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
        }
    }
    EXPECT_EQ(hear(dir, {"missing.wav"}).status, 2);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                                {"knock.wav", "--expect"},
                                                {"knock.wav", "--expect", "x 3 2 0 1 99"},
                                                {"knock.wav", "--tuning", "E1,A1"},
                                                {"knock.wav", "--a4", "400"},
                                                {"knock.wav", "--loud", "1"}})
        EXPECT_EQ(hear(dir, bad).status, 3);
}

} // namespace
} // namespace strumvale::test
