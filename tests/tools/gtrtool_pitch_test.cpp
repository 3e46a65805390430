#include "platform/file.h"
#include "platform/wav_file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"
#include "support/tone_file.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace strumvale;
using test::TempDir;

namespace {

test::ToolRun pitchOf(const TempDir& dir, const std::string& file) {
    return test::runTool(dir.path(), "gtrtool", {"pitch", file});
}

void writeSamples(const std::string& path, std::vector<float> samples) {
    platform::WavAudio audio;
    audio.sampleRate = 44100;
    audio.samples = std::move(samples);
    platform::writeWav(path, audio);
}

} // namespace

TEST(GtrtoolPitch, PrintsFrequencyNoteAndCentsOfTheSteadyTone) {
    // A tone a hair flat of E3 prints "+0.0", never "-0.0".
    TempDir dir;
    struct Case {
        int midiNote;
        double cents;
        const char* note;
    };
    for (const Case& c : {Case{40, -12.0, "E1"}, Case{45, 8.0, "A1"}, Case{64, -0.02, "E3"},
                          Case{35, 21.5, "B0"}, Case{88, -30.0, "E5"}}) {
        const double frequency = test::detuned(c.midiNote, c.cents);
        test::writeToneFile(dir.file("tone.wav"), frequency, 1.0);
        const test::ToolRun run = pitchOf(dir, "tone.wav");
        SCOPED_TRACE(c.note);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.err.empty());
        double heard = 0;
        char note[8] = {};
        double cents = 0;
        ASSERT_EQ(std::sscanf(run.out.c_str(), "%lf\t%7s\t%lf", &heard, note, &cents), 3);
        EXPECT_NEAR(heard, frequency, frequency * 0.001); // under 1.7 cents
        EXPECT_STREQ(note, c.note);
        EXPECT_NEAR(cents, c.cents, 1.5);
        // Two decimals of Hz, a signed cents figure with one, and one line.
        EXPECT_EQ(run.out.find('\t'), run.out.find('.') + 3);
        EXPECT_TRUE(run.out.find(cents < 0 ? "\t-" : "\t+") != std::string::npos) << run.out;
        EXPECT_EQ(run.out.back(), '\n');
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);
    }
}

TEST(GtrtoolPitch, NotesAreNamedAgainstTheReferencePitchGiven) {
    TempDir dir;
    // The A string of a guitar tuned to A4 = 432 Hz.
    test::writeToneFile(dir.file("a432.wav"), 108.0, 1.0);
    test::ToolRun run = test::runTool(dir.path(), "gtrtool", {"pitch", "a432.wav", "--a4", "432"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\tA1\t+0.0"), std::string::npos) << run.out;
    run = pitchOf(dir, "a432.wav");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\tA1\t-31."), std::string::npos) << run.out;
    for (const char* bad : {"414", "467", "x"})
        EXPECT_EQ(test::runTool(dir.path(), "gtrtool", {"pitch", "a432.wav", "--a4", bad}).status,
                  3)
            << bad;
}

TEST(GtrtoolPitch, SilenceNoiseAndUnreadableFilesHaveNoNote) {
    TempDir dir;
    writeSamples(dir.file("silence.wav"), std::vector<float>(44100, 0.0f));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> hiss(-0.3f, 0.3f);
    std::vector<float> noise(44100);
    for (float& sample : noise)
        sample = hiss(random);
    writeSamples(dir.file("noise.wav"), noise);
    platform::replaceFile(dir.file("text.wav"), "not a sound");
    for (const char* file : {"silence.wav", "noise.wav", "text.wav", "missing.wav"}) {
        const test::ToolRun run = pitchOf(dir, file);
        SCOPED_TRACE(file);
        // A file that cannot be opened is a file error, as for every command.
        EXPECT_EQ(run.status, std::string(file) == "missing.wav" ? 2 : 1);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(file), std::string::npos) << "the message names the file";
    }
    EXPECT_EQ(test::runTool(dir.path(), "gtrtool", {"pitch"}).status, 3);
    EXPECT_EQ(test::runTool(dir.path(), "gtrtool", {"pitch", "a.wav", "b.wav"}).status, 3);
}
