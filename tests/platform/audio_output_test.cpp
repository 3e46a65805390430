#include "platform/file_audio_output.h"
#include "platform/sequencer_time.h"
#include "platform/wav_file.h"
#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using namespace strumvale::platform;
using namespace std::chrono_literals;

TEST(SequencerQueueTime, IsTheMeantTimePlusTheLatencyFromTheQueueStart) {
    const SteadyTime start = SteadyTime{} + 500s;
    EXPECT_EQ(queueTimeOf(start, start), (QueueTime{0, 5000000}));
    EXPECT_EQ(queueTimeOf(start + 2s + 250ms, start), (QueueTime{2, 255000000}));
    EXPECT_EQ(queueTimeOf(start + 999ms, start, 1ms), (QueueTime{1, 0}));
    // Meant before the queue began, or so late that the latency is spent:
    // delivered at once, never stamped into the past or wrapped around.
    EXPECT_EQ(queueTimeOf(start - 1s, start), (QueueTime{}));
    EXPECT_EQ(queueTimeOf(start - 5ms, start), (QueueTime{}));
}

TEST(FileAudioOutput, WritesWhatItRendersAsWavOrRawSixteenBitStereo) {
    strumvale::test::TempDir dir;
    for (const char* name : {"take.wav", "Låt ♪.raw"}) {
        const std::string path = dir.file(name);
        std::atomic<int> periods{0};
        {
            auto output = FileAudioOutput::start(
                path, 44100, 441, [&](float* left, float* right, int frames, SteadyTime) {
                    for (int i = 0; i < frames; ++i) {
                        left[i] = 0.5f;
                        right[i] = 0.25f;
                    }
                    ++periods;
                });
            ASSERT_NE(output, nullptr) << name;
            while (periods < 3)
                std::this_thread::sleep_for(1ms);
        }
        const auto bytes = std::filesystem::file_size(path);
        if (std::string(name).ends_with(".wav")) {
            const WavAudio audio = readWav(path);
            EXPECT_EQ(audio.sampleRate, 44100);
            ASSERT_GE(audio.samples.size(), 3u * 441);
            EXPECT_NEAR(audio.samples.front(), 0.375, 0.001) << "both channels, mixed";
            EXPECT_EQ(bytes, 44 + audio.samples.size() * 4);
        } else {
            EXPECT_EQ(bytes % (441 * 4), 0u) << "whole periods of bare frames";
            std::ifstream in(path, std::ios::binary);
            unsigned char first[4];
            in.read(reinterpret_cast<char*>(first), 4);
            EXPECT_EQ(first[0] | first[1] << 8, 16384) << "0.5 of full scale, left first";
        }
    }
    EXPECT_EQ(FileAudioOutput::start(dir.file("no/such/folder.wav"), 44100, 64,
                                     [](float*, float*, int, SteadyTime) {}),
              nullptr);
}
