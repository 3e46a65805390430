#include "platform/file.h"
#include "platform/wav_file.h"
#include "sound/audio_capture.h"
#include "sound/audio_inputs.h"
#include "sound/virtual_clock.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <thread>

using namespace strumvale;
using namespace std::chrono_literals;
using platform::AudioInputDevice;
using platform::AudioInputError;
using sound::AudioCapture;
using test::TempDir;

using test::ScopedVariable;

namespace {

// Sample number k of a test file holds k/32768, which 16 bits keep exactly,
// so every sample heard tells where in the file it came from.
std::string writeCountingFile(const TempDir& dir, int rate, int length) {
    platform::WavAudio audio{rate, {}};
    for (int k = 0; k < length; ++k)
        audio.samples.push_back(static_cast<float>(k) / 32768.0f);
    const std::string path = dir.file("counting.wav");
    platform::writeWav(path, audio);
    return path;
}

long indexOf(float sample) {
    return std::lround(sample * 32768.0f);
}

// The file position of each sample, which should count up and wrap at length.
std::vector<long> positions(const std::vector<float>& samples) {
    std::vector<long> out;
    for (float sample : samples)
        out.push_back(indexOf(sample));
    return out;
}

std::vector<long> counting(long from, std::size_t count, long length) {
    std::vector<long> out;
    for (std::size_t k = 0; k < count; ++k)
        out.push_back((from + static_cast<long>(k)) % length);
    return out;
}

// Reads on a thread of its own, as the capture thread would, while the test
// moves the virtual clock; work runs after each read.
struct Reader {
    sound::VirtualClock& clock;
    platform::AudioInput& input;
    std::vector<float> heard;
    std::vector<sound::Clock::Duration> returnedAt;

    bool read(int reads, std::size_t size, const std::function<void()>& work = {}) {
        std::atomic<bool> done{false};
        std::jthread thread([&](std::stop_token stop) {
            std::vector<float> block(size);
            for (int k = 0; k < reads && !stop.stop_requested(); ++k) {
                const std::size_t count = input.readOrStop(block, stop);
                returnedAt.push_back(clock.elapsed());
                heard.insert(heard.end(), block.begin(),
                             block.begin() + static_cast<std::ptrdiff_t>(count));
                if (work)
                    work();
            }
            done = true;
        });
        const bool finished = clock.runUntil([&] { return done.load(); });
        if (!finished)
            thread.request_stop();
        return finished;
    }
};

// What a capture told, from its thread.
struct Heard {
    std::mutex mutex;
    std::vector<float> samples;
    std::vector<std::size_t> blockSizes;
    std::vector<int> rates;
    std::vector<std::string> failures;
    std::vector<bool> runningWhenFailed;

    sound::CaptureReports reports(AudioCapture& capture) {
        return {[this](std::span<const float> block, int rate) {
                    std::lock_guard lock(mutex);
                    samples.insert(samples.end(), block.begin(), block.end());
                    blockSizes.push_back(block.size());
                    rates.push_back(rate);
                },
                [this, &capture](const std::string& error) {
                    std::lock_guard lock(mutex);
                    failures.push_back(error);
                    runningWhenFailed.push_back(capture.isRunning());
                }};
    }
    std::size_t blocks() {
        std::lock_guard lock(mutex);
        return blockSizes.size();
    }
    std::size_t failureCount() {
        std::lock_guard lock(mutex);
        return failures.size();
    }
};

// An input that hands out a few blocks at once and then fails as an
// unplugged device does.
class FailingInput : public platform::AudioInput {
public:
    explicit FailingInput(int goodReads) : goodReads_(goodReads) {}
    int sampleRate() const override { return 8000; }
    std::size_t read(std::span<float> samples) override {
        if (reads_++ == goodReads_)
            throw AudioInputError("usb", "The audio input 'usb' was disconnected");
        std::fill(samples.begin(), samples.end(), 0.25f);
        return samples.size();
    }

private:
    int goodReads_;
    int reads_ = 0;
};

} // namespace

TEST(AudioFileInput, HandsOutTheFileInOrderOverAndOverAsItWouldBeRecorded) {
    TempDir dir;
    const std::string path = writeCountingFile(dir, 8000, 250);
    sound::VirtualClock clock;
    const auto input = sound::openAudioInput("file:" + path, clock);
    ASSERT_EQ(input->sampleRate(), 8000);

    Reader reader{clock, *input, {}, {}};
    ASSERT_TRUE(reader.read(5, 100));
    EXPECT_EQ(positions(reader.heard), counting(0, 500, 250)) << "two rounds of the file";
    // 100 samples at 8000 Hz take 12.5 ms to record.
    EXPECT_EQ(reader.returnedAt,
              (std::vector<sound::Clock::Duration>{12500us, 25ms, 37500us, 50ms, 62500us}));
}

TEST(AudioFileInput, KeepsToTheFileRateOverLongRunsAndLateReaders) {
    TempDir dir;
    const std::string path = writeCountingFile(dir, 44100, 441);
    sound::VirtualClock clock;
    const auto input = sound::openFileInput(path, clock);

    // 100 samples last 2267573.7 ns: counted one read after another, the
    // rounding would add up to 0.3 ms short of a second.
    Reader reader{clock, *input, {}, {}};
    ASSERT_TRUE(reader.read(441, 100));
    EXPECT_EQ(clock.elapsed(), 1s);

    // A reader that takes 3 ms after each 10 ms read gets the next block that
    // much sooner, as from a device that went on recording meanwhile.
    reader.returnedAt.clear();
    ASSERT_TRUE(reader.read(100, 441, [&] { clock.advance(3ms); }));
    EXPECT_EQ(reader.returnedAt.back(), 2s);
    EXPECT_EQ(positions(reader.heard), counting(0, 441 * 100 + 441 * 100, 441));

    // Back after five seconds away, it is not handed all that was missed at
    // once, as a device's buffer would have overrun.
    clock.advance(5s);
    const sound::Clock::Duration back = clock.elapsed();
    reader.returnedAt.clear();
    ASSERT_TRUE(reader.read(2, 441));
    EXPECT_EQ(reader.returnedAt, (std::vector<sound::Clock::Duration>{back + 10ms, back + 20ms}));
}

TEST(AudioFileInput, FileThatCannotBeUsedGivesAudioInputErrorWithTheReason) {
    TempDir dir;
    sound::VirtualClock clock;
    const std::string text = dir.file("notes.txt");
    platform::replaceFile(text, "E A D G B E\n");
    const std::string silent = dir.file("silent.wav");
    platform::writeWav(silent, {44100, {}});
    struct Case {
        std::string path;
        std::string reason;
    };
    for (const Case& c : {Case{dir.file("missing.wav"), "No such file or directory"},
                          Case{text, "not a WAV file"}, Case{silent, "holds no sound"}}) {
        try {
            sound::openAudioInput("file:" + c.path, clock);
            ADD_FAILURE() << c.path << " was opened";
        } catch (const AudioInputError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.path), std::string::npos) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
            EXPECT_EQ(error.device(), "file:" + c.path);
        }
    }
}

TEST(AudioInputDevices, FileFromTheVariableComesFirstNamedAfterTheFile) {
    const std::vector<AudioInputDevice> alsa = platform::alsaInputDevices();
    for (const AudioInputDevice& device : alsa) {
        EXPECT_FALSE(device.id.empty());
        EXPECT_FALSE(device.name.empty()) << device.id;
    }
    if (!alsa.empty()) {
        EXPECT_EQ(alsa.front().id, "default");
    }
    {
        ScopedVariable unset(sound::kAudioInputFileVariable, nullptr);
        EXPECT_EQ(sound::audioInputDevices(), alsa);
    }
    {
        ScopedVariable empty(sound::kAudioInputFileVariable, "");
        EXPECT_EQ(sound::audioInputDevices(), alsa);
    }
    ScopedVariable file(sound::kAudioInputFileVariable, "/home/me/takes/low e.wav");
    std::vector<AudioInputDevice> expected{{"file:/home/me/takes/low e.wav", "low e.wav"}};
    expected.insert(expected.end(), alsa.begin(), alsa.end());
    EXPECT_EQ(sound::audioInputDevices(), expected);
}

TEST(AlsaInput, DeviceThatCannotBeOpenedGivesAudioInputErrorNamingIt) {
    for (const std::string id : {"plughw:NoSuchCard,0", "no-such-device", "hw:99,0"}) {
        try {
            sound::openAudioInput(id);
            ADD_FAILURE() << id << " was opened";
        } catch (const AudioInputError& error) {
            EXPECT_EQ(error.device(), id);
            EXPECT_NE(std::string(error.what()).find("Cannot open the audio input '" + id + "'"),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(AudioCapture, HandsOnTenMillisecondBlocksInOrderWithoutGaps) {
    TempDir dir;
    const std::string path = writeCountingFile(dir, 8000, 250);
    sound::VirtualClock clock;
    Heard heard;
    AudioCapture capture;
    EXPECT_FALSE(capture.start(nullptr, heard.reports(capture)));
    ASSERT_TRUE(capture.start(sound::openFileInput(path, clock), heard.reports(capture)));
    EXPECT_TRUE(capture.isRunning());
    EXPECT_FALSE(capture.start(sound::openFileInput(path, clock), heard.reports(capture)))
        << "one thread at a time";
    ASSERT_TRUE(clock.runUntil([&] { return heard.blocks() >= 100; }));
    capture.stop();
    EXPECT_FALSE(capture.isRunning());

    EXPECT_EQ(heard.blockSizes, std::vector<std::size_t>(100, 80));
    EXPECT_EQ(heard.rates, std::vector<int>(100, 8000));
    EXPECT_EQ(positions(heard.samples), counting(0, 8000, 250));
    EXPECT_EQ(clock.elapsed(), 1s) << "in real time";
    EXPECT_TRUE(heard.failures.empty());
}

TEST(AudioCapture, BlocksReadWhilePausedAreDroppedAndListeningGoesOnInStep) {
    TempDir dir;
    const std::string path = writeCountingFile(dir, 8000, 250);
    sound::VirtualClock clock;
    Heard heard;
    AudioCapture capture;
    ASSERT_TRUE(capture.start(sound::openFileInput(path, clock), heard.reports(capture)));
    ASSERT_TRUE(clock.runUntil([&] { return heard.blocks() >= 3; }));
    capture.setPaused(true);
    ASSERT_TRUE(clock.runUntil([&] { return clock.elapsed() >= 100ms; }));
    // The block due at 100 ms has been dropped once the thread waits again.
    ASSERT_TRUE(clock.waitForSleepers(1));
    capture.setPaused(false);
    ASSERT_TRUE(clock.runUntil([&] { return heard.blocks() >= 6; }));
    capture.stop();

    // What was recorded in the pause is gone; the next block follows it.
    std::vector<long> expected = counting(0, 240, 250);
    const std::vector<long> after = counting(800, 240, 250);
    expected.insert(expected.end(), after.begin(), after.end());
    EXPECT_EQ(positions(heard.samples), expected);
}

TEST(AudioCapture, StopEndsAWaitingReadAtOnceAndTheCaptureStartsAgain) {
    TempDir dir;
    const std::string path = writeCountingFile(dir, 8000, 250);
    sound::VirtualClock clock;
    Heard heard;
    {
        AudioCapture never;
        never.stop();
    }
    AudioCapture capture;
    ASSERT_TRUE(capture.start(sound::openFileInput(path, clock), heard.reports(capture)));
    ASSERT_TRUE(clock.waitForSleepers(1));
    capture.stop(); // returns with time standing still
    EXPECT_FALSE(capture.isRunning());
    EXPECT_EQ(clock.sleepers(), 0);
    EXPECT_EQ(heard.blocks(), 0u);
    capture.stop();

    auto second = std::make_unique<AudioCapture>();
    ASSERT_TRUE(second->start(sound::openFileInput(path, clock), heard.reports(*second)));
    ASSERT_TRUE(clock.runUntil([&] { return heard.blocks() >= 2; }));
    ASSERT_TRUE(clock.waitForSleepers(1));
    second.reset(); // stops as it goes
    EXPECT_EQ(clock.sleepers(), 0);
    EXPECT_EQ(positions(heard.samples), counting(0, 160, 250));
    EXPECT_TRUE(heard.failures.empty());
}

TEST(AudioCapture, InputThatFailsIsReportedOnceAndTheThreadEnds) {
    sound::VirtualClock clock;
    Heard heard;
    AudioCapture capture;
    ASSERT_TRUE(capture.start(std::make_unique<FailingInput>(3), heard.reports(capture)));
    ASSERT_TRUE(clock.runUntil([&] { return heard.failureCount() > 0; }));
    capture.stop();
    EXPECT_FALSE(capture.isRunning());
    EXPECT_EQ(heard.failures, std::vector<std::string>{"The audio input 'usb' was disconnected"});
    EXPECT_EQ(heard.runningWhenFailed, std::vector<bool>{false}) << "ended by the report";
    EXPECT_EQ(heard.samples, std::vector<float>(3 * 80, 0.25f));

    // Another device may be tried at once.
    ASSERT_TRUE(capture.start(std::make_unique<FailingInput>(0), heard.reports(capture)));
    ASSERT_TRUE(clock.runUntil([&] { return heard.failureCount() > 1; }));
    EXPECT_EQ(heard.blocks(), 3u);
}
