#include "sound/audio_inputs.h"
#include "sound/listening_tuner.h"
#include "sound/virtual_clock.h"
#include "support/temp_dir.h"
#include "support/tone_file.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace strumvale::test {
namespace {

TEST(ListeningTunerTest, ANoteBelongsToTheNearestStringOfTheTuning) {
    constexpr const char* kStandard = "E1,A1,D2,G2,B2,E3";
    auto match = sound::nearestString(kStandard, detuned(45, 12.0)); // A1 a little sharp
    ASSERT_TRUE(match);
    EXPECT_EQ(match->string, 5);
    EXPECT_NEAR(match->cents, 12.0, 0.01);
    // Between D (string 4) and G (string 3), nearer the G.
    match = sound::nearestString(kStandard, detuned(54, 20.0));
    EXPECT_EQ(match->string, 3);
    EXPECT_NEAR(match->cents, -80.0, 0.01);
    // Drop D: the low D belongs to string 6.
    match = sound::nearestString("D1,A1,D2,G2,B2,E3", detuned(38, -30.0));
    EXPECT_EQ(match->string, 6);
    // Unknown notes are skipped; with none known there is no string.
    match = sound::nearestString("??,A1,xx,,B2,E3", detuned(40, 0));
    EXPECT_EQ(match->string, 5);
    EXPECT_FALSE(sound::nearestString("", 110.0));
    EXPECT_FALSE(sound::nearestString(kStandard, 0.0));
}

class ListeningTunerRun : public ::testing::Test {
protected:
    sound::ListeningReports reports() {
        sound::ListeningReports reports;
        reports.heard = [this](const std::optional<sound::PitchReading>& reading, bool fading) {
            const std::lock_guard lock(mutex);
            heard.push_back(reading);
            fadings.push_back(fading);
            times.push_back(clock.elapsed());
        };
        reports.failed = [this](const std::string& error) {
            const std::lock_guard lock(mutex);
            failures.push_back(error);
        };
        return reports;
    }
    std::optional<sound::PitchReading> last() {
        const std::lock_guard lock(mutex);
        return heard.empty() ? std::nullopt : heard.back();
    }
    std::optional<sound::PitchReading> reportAt(std::size_t index) {
        const std::lock_guard lock(mutex);
        return heard.at(index);
    }
    std::size_t reportCount() {
        const std::lock_guard lock(mutex);
        return heard.size();
    }
    // Lets the file input hand out audio until a settled reading is reported.
    bool hearSomething() {
        return clock.runUntil([&] { return last().has_value(); });
    }

    TempDir dir;
    sound::VirtualClock clock;
    std::mutex mutex;
    std::vector<std::optional<sound::PitchReading>> heard;
    std::vector<bool> fadings;
    std::vector<sound::Clock::Duration> times;
    std::vector<std::string> failures;
};

TEST_F(ListeningTunerRun, AFileInputIsHeardPausedAndStopped) {
    writeToneFile(dir.file("a.wav"), detuned(45, 10.0), 0.5);
    sound::ListeningTuner tuner(clock);
    ASSERT_EQ(tuner.start("file:" + dir.file("a.wav"), reports()), std::nullopt);
    EXPECT_TRUE(tuner.isListening());
    ASSERT_TRUE(hearSomething());
    EXPECT_EQ(last()->note, "A1");
    EXPECT_NEAR(last()->cents, 10.0, 1.5);
    // Settled within 150 ms of audio from the start.
    EXPECT_LE(clock.elapsed(), std::chrono::milliseconds(150) + std::chrono::milliseconds(20));

    // While paused nothing is heard; resumed, the note is taken afresh.
    tuner.setPaused(true);
    const std::size_t before = reportCount();
    clock.advance(std::chrono::milliseconds(500));
    ASSERT_TRUE(clock.waitForSleepers(1));
    EXPECT_EQ(reportCount(), before);
    tuner.setPaused(false);
    ASSERT_TRUE(clock.runUntil([&] { return reportCount() >= before + 2; }));
    EXPECT_FALSE(reportAt(before).has_value()) << "the old reading goes first";
    ASSERT_TRUE(hearSomething());
    EXPECT_EQ(last()->note, "A1");

    tuner.stop();
    EXPECT_FALSE(tuner.isListening());
    EXPECT_TRUE(failures.empty());
}

TEST_F(ListeningTunerRun, AFadingStringKeepsItsLastReadingUntilTheInputIsQuietForASecond) {
    // A pluck dying away over four seconds into the room's hiss, a scrape of
    // noise over it from 1 to 1.6 s that the detector cannot read through,
    // then the hiss alone.
    const int rate = 44100;
    platform::WavAudio audio;
    audio.sampleRate = rate;
    audio.samples.resize(std::size_t(6.5 * rate));
    std::uint32_t noise = 1;
    for (std::size_t i = 0; i < audio.samples.size(); ++i) {
        const double t = double(i) / rate;
        const double level = t < 4 ? 0.5 * std::exp(-t * 1.6) : 0;
        const double f = detuned(45, 5);
        const double pluck =
            level * (0.3 * std::sin(2 * M_PI * f * t) + 0.6 * std::sin(4 * M_PI * f * t) +
                     0.3 * std::sin(6 * M_PI * f * t));
        noise = noise * 1664525u + 1013904223u;
        const double hiss = double(noise >> 8) / double(1 << 24) - 0.5;
        const double scrape = t >= 1.0 && t < 1.6 ? 0.4 : 0.003;
        audio.samples[i] = float(pluck + scrape * hiss);
    }
    platform::writeWav(dir.file("fading.wav"), audio);
    // When the input last stood above the quiet level, in 10 ms blocks.
    double loudUntil = 0;
    for (std::size_t at = 0; at + 441 <= audio.samples.size(); at += 441) {
        double energy = 0;
        for (std::size_t i = at; i < at + 441; ++i)
            energy += double(audio.samples[i]) * audio.samples[i];
        if (std::sqrt(energy / 441) >= 0.003)
            loudUntil = double(at + 441) / rate;
    }

    sound::ListeningTuner tuner(clock);
    ASSERT_EQ(tuner.start("file:" + dir.file("fading.wav"), reports()), std::nullopt);
    ASSERT_TRUE(hearSomething());
    // Until the reading goes again.
    ASSERT_TRUE(clock.runUntil([&] { return reportCount() > 1 && !last(); }));
    tuner.stop();
    const std::lock_guard lock(mutex);
    auto seconds = [&](std::size_t i) { return std::chrono::duration<double>(times[i]).count(); };
    // Through the scrape the reading stays, fading, and comes back after it.
    const auto fading = std::find(fadings.begin(), fadings.end(), true);
    ASSERT_NE(fading, fadings.end());
    const std::size_t lost = std::size_t(fading - fadings.begin());
    EXPECT_GE(seconds(lost), 1.0);
    EXPECT_LT(seconds(lost), 1.2);
    ASSERT_TRUE(heard[lost]);
    EXPECT_EQ(heard[lost]->note, "A1") << "the last reading stays";
    for (std::size_t i = 0; i + 1 < heard.size(); ++i)
        EXPECT_TRUE(heard[i] || i == 0) << "nothing went blank before the end, at " << seconds(i);
    // Gone a second after the string fell quiet.
    const double gone = seconds(heard.size() - 1);
    EXPECT_GE(gone, loudUntil + 1.0);
    EXPECT_LE(gone, loudUntil + 1.3);
}

TEST_F(ListeningTunerRun, ADeviceThatCannotBeOpenedSaysWhy) {
    sound::ListeningTuner tuner(clock);
    const std::optional<std::string> missing =
        tuner.start("file:" + dir.file("none.wav"), reports());
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("none.wav"), std::string::npos) << *missing;
    EXPECT_FALSE(tuner.isListening());
    const std::optional<std::string> alsa = tuner.start("hw:99,0", reports());
    ASSERT_TRUE(alsa);
    EXPECT_FALSE(alsa->empty());

    // A studio interface that records only at 384 kHz, beyond the detector.
    struct FastInput final : platform::AudioInput {
        int sampleRate() const override { return 384000; }
        std::size_t read(std::span<float> samples) override { return samples.size(); }
    };
    sound::ScopedAudioInputSystem studio(
        {[] {
             return std::vector<platform::AudioInputDevice>{{"fast", "Studio"}};
         },
         [](const std::string&) { return std::make_unique<FastInput>(); }});
    const std::optional<std::string> fast = tuner.start("fast", reports());
    ASSERT_TRUE(fast);
    EXPECT_NE(fast->find("384000"), std::string::npos) << *fast;
    EXPECT_FALSE(tuner.isListening());
}

} // namespace
} // namespace strumvale::test
