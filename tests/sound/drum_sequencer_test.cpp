#include "platform/midi_provider.h"
#include "sound/drum_sequencer.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>

using namespace strumvale;
using platform::ScopedMidiProviders;
using sound::DrumSequencer;
using test::RecordingMidi;
using Lines = std::vector<std::string>;

namespace {

// The Drummer page as the sequencer sees it: live values, and the step marks
// and captions it shows for the reports, written down with their virtual times.
class FakePage : public sound::PatternSource {
public:
    explicit FakePage(sound::Clock& clock) : clock_(clock) {
        for (auto& volume : volumes)
            volume = 127;
    }

    std::array<std::atomic<int>, 16 * 8> cells{};
    std::array<std::atomic<int>, 8> instruments{};
    std::array<std::atomic<int>, 8> volumes{};
    sound::DrumFlags playFlags;

    std::atomic<int> bpm{120};

    void setHit(int step, int track, bool on = true) {
        cells[model::DrumPattern::cellIndex(step, track)] = on;
    }

    bool hit(int step, int track) override {
        return cells[model::DrumPattern::cellIndex(step, track)] != 0;
    }
    int instrument(int track) override { return instruments[track - 1]; }
    int volume(int track) override { return volumes[track - 1]; }
    int tempo() override { return bpm; }
    sound::DrumFlags& flags() override { return playFlags; }

    // As the page answers them: the step marked, the play button offering
    // to stop while the pattern plays.
    sound::DrumReports reports() {
        sound::DrumReports reports;
        reports.started = [this] { showPlayCaption("Stop"); };
        reports.step = [this](int step) { markStep(step); };
        reports.ended = [this] { showPlayCaption("Play"); };
        return reports;
    }
    virtual void markStep(int step) {
        std::lock_guard lock(mutex_);
        marks_.push_back(std::to_string(now()) + ":" + std::to_string(step));
    }
    virtual void showPlayCaption(std::string_view caption) {
        std::lock_guard lock(mutex_);
        captions_.push_back(std::to_string(now()) + ":" + std::string(caption));
    }

    Lines marks() {
        std::lock_guard lock(mutex_);
        return marks_;
    }
    Lines captions() {
        std::lock_guard lock(mutex_);
        return captions_;
    }
    int markCount() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(marks_.size());
    }

private:
    long now() {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now().time_since_epoch())
                .count());
    }

    sound::Clock& clock_;
    std::mutex mutex_;
    Lines marks_, captions_;
};

struct DrumRig {
    sound::VirtualClock clock;
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    ScopedMidiProviders scope{{recorder}};
    sound::ChordPlayer player{clock};
    FakePage page{clock};
    std::unique_ptr<DrumSequencer> sequencer = std::make_unique<DrumSequencer>(player);

    DrumRig() { player.setup(0, 0, 0, 127); }
    void start() { sequencer->start(page, page.reports()); }
    bool finish() {
        return clock.runUntil([&] { return !player.isPlaying(); });
    }
    bool runUntilMarks(int count) {
        return clock.runUntil([&] { return page.markCount() >= count; });
    }
};

Lines steps(std::initializer_list<std::pair<long, int>> marks) {
    Lines lines;
    for (auto [ms, step] : marks)
        lines.push_back(std::to_string(ms) + ":" + std::to_string(step));
    return lines;
}

} // namespace

TEST(DrumStepTime, FollowsTheTempoFormulaAndClamps) {
    const std::pair<int, int> expected[] = {
        {30, 1999}, {60, 999},  {100, 599},  {120, 499}, {320, 187}, {594, 101},       {29, 2000},
        {1, 2000},  {595, 100}, {5000, 100}, {0, 100},   {-60, 100}, {2147483647, 100}};
    for (auto [bpm, ms] : expected)
        EXPECT_EQ(sound::stepMilliseconds(bpm), ms) << bpm << " bpm";
}

TEST(DrumSequencerPlay, OnePassSoundsEveryHitAtItsStep) {
    DrumRig rig;
    rig.page.setHit(1, 1);
    rig.page.setHit(2, 1); // the same track twice in a row
    rig.page.setHit(2, 8);
    rig.page.instruments[7] = 3;
    rig.page.volumes[7] = 90;
    rig.page.setHit(16, 2);
    rig.page.instruments[1] = 46;
    rig.start();
    ASSERT_TRUE(rig.finish());

    EXPECT_EQ(rig.recorder->lines(),
              (Lines{"0 99 23 7f", "499 89 23 00", "499 99 23 7f", "499 99 26 5a", "998 89 23 00",
                     "998 89 26 00", "7485 99 51 7f", "7984 89 51 00"}));
    Lines marks;
    for (int step = 1; step <= 16; ++step)
        marks.push_back(std::to_string((step - 1) * 499) + ":" + std::to_string(step));
    marks.push_back("7984:1");
    EXPECT_EQ(rig.page.marks(), marks);
    EXPECT_EQ(rig.page.captions(), (Lines{"0:Stop", "7984:Play"}));
    EXPECT_TRUE(rig.page.playFlags.keepPlaying);
    EXPECT_FALSE(rig.player.isPlaying());
}

TEST(DrumSequencerPlay, LoopsSilentPatternsUntilStoppedMidStep) {
    DrumRig rig;
    rig.page.bpm = 0;
    rig.page.playFlags.loopPattern = true;
    rig.start();
    // Into the seventh step of the third pass.
    ASSERT_TRUE(rig.runUntilMarks(16 + 16 + 7));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.clock.advance(std::chrono::milliseconds(50));
    rig.sequencer->requestStop(rig.page);
    EXPECT_TRUE(rig.player.isPlaying()) << "the step finishes first";
    ASSERT_TRUE(rig.finish());

    EXPECT_TRUE(rig.recorder->messages().empty());
    Lines marks = rig.page.marks();
    ASSERT_EQ(marks.size(), 16u + 16 + 7 + 1);
    EXPECT_EQ(marks[16], "1600:1") << "the next pass follows with no pause";
    EXPECT_EQ(marks[38], "3800:7");
    EXPECT_EQ(marks.back(), "3900:1");
    EXPECT_EQ(rig.page.captions(), (Lines{"0:Stop", "3900:Play"}));
    EXPECT_TRUE(rig.page.playFlags.keepPlaying);
}

TEST(DrumSequencerPlay, ChangesWhilePlayingAreHeardFromTheNextStep) {
    DrumRig rig;
    rig.page.setHit(1, 1);
    rig.page.setHit(3, 1);
    rig.page.bpm = 600;
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    // During step 1: a new tempo, instrument and volume.
    rig.page.bpm = 60;
    rig.page.instruments[0] = 1;
    rig.page.volumes[0] = 200;
    ASSERT_TRUE(rig.runUntilMarks(4));
    rig.page.playFlags.loopPattern = true;
    rig.page.playFlags.keepPlaying = false;
    ASSERT_TRUE(rig.finish());

    EXPECT_EQ(rig.page.marks(), steps({{0, 1}, {100, 2}, {1099, 3}, {2098, 4}, {3097, 1}}));
    // The release is of the sound struck; the new one is heard from the next hit.
    EXPECT_EQ(rig.recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "1099 99 24 7f", "2098 89 24 00"}));
}

// Changes made while step 1 sounds, at 100 ms a step: the pattern plays once.
TEST(DrumSequencerRelease, ACellClearedWhileItSoundsIsStillReleased) {
    DrumRig rig;
    rig.page.setHit(1, 1);
    rig.page.bpm = 600;
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.page.setHit(1, 1, false);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 99 23 7f", "100 89 23 00"})) << "no stuck note";
}

TEST(DrumSequencerRelease, AnInstrumentChangedWhileItSoundsReleasesTheSoundStruck) {
    DrumRig rig;
    rig.page.setHit(1, 2);
    rig.page.instruments[1] = 3;
    rig.page.bpm = 600;
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.page.instruments[1] = 46;
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 99 26 7f", "100 89 26 00"}));
}

TEST(DrumSequencerRelease, ACellSetWhileItsStepSoundsIsNeitherStruckNorReleased) {
    DrumRig rig;
    rig.page.setHit(2, 1);
    rig.page.bpm = 600;
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.page.setHit(1, 3);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"100 99 23 7f", "200 89 23 00"}));
}

TEST(DrumSequencerPlay, SharesThePlayingFlagWithStrums) {
    DrumRig rig;
    rig.player.setHoldTime(1000);
    rig.player.strum({"E", "E", "x x x x x x"}, model::Tuning::standard());
    // "Play" during a strum is a stop request, and start does nothing.
    rig.sequencer->requestStop(rig.page);
    rig.start();
    ASSERT_TRUE(rig.finish());
    EXPECT_TRUE(rig.page.captions().empty());

    // The next start ends at once and restores the flag; the one after plays.
    rig.start();
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.page.marks(), steps({{1000, 1}}));
    EXPECT_EQ(rig.page.captions(), (Lines{"1000:Stop", "1000:Play"}));
    EXPECT_TRUE(rig.page.playFlags.keepPlaying);

    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.player.strum({"E", "E", "0 0 0 0 0 0"}, model::Tuning::standard());
    rig.start();
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.page.markCount(), 1 + 17);
    EXPECT_TRUE(rig.recorder->messages().empty()) << "no strum sounded during the pattern";
}

TEST(DrumSequencerRobustness, DeviceChangesAndDestructionMidPattern) {
    DrumRig rig;
    for (int step = 1; step <= 16; ++step)
        rig.page.setHit(step, 1);
    rig.page.bpm = 600;
    rig.start();
    ASSERT_TRUE(rig.runUntilMarks(3));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.player.reopen(-1);
    ASSERT_TRUE(rig.runUntilMarks(5));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.player.reopen(0);
    ASSERT_TRUE(rig.runUntilMarks(6));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.sequencer.reset();
    EXPECT_FALSE(rig.player.isPlaying());
    EXPECT_EQ(rig.recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "100 99 23 7f", "200 89 23 00", "200 99 23 7f",
                     "500 89 23 00", "500 99 23 7f", "500 89 23 00"}))
        << "silent while closed; ended at once when destroyed, its step released";
    EXPECT_EQ(rig.page.captions().back(), "500:Play");
}

TEST(DrumSequencerRobustness, ThePageIsNotTouchedOnceThePlayerIsIdle) {
    // The page may be destroyed as soon as the player is idle again, so the
    // worker's last touch of it must come while the player still plays.
    class WatchedPage : public FakePage {
    public:
        WatchedPage(sound::Clock& clock, sound::ChordPlayer& player)
            : FakePage(clock), player_(player) {}
        void markStep(int step) override {
            check();
            FakePage::markStep(step);
        }
        void showPlayCaption(std::string_view caption) override {
            check();
            FakePage::showPlayCaption(caption);
        }
        sound::DrumFlags& flags() override {
            check();
            return FakePage::flags();
        }
        std::atomic<int> touchedWhileIdle{0};

    private:
        void check() {
            if (!player_.isPlaying())
                ++touchedWhileIdle;
        }
        sound::ChordPlayer& player_;
    };

    DrumRig rig;
    auto page = std::make_unique<WatchedPage>(rig.clock, rig.player);
    page->bpm = 600;
    rig.sequencer->start(*page, page->reports());
    ASSERT_TRUE(rig.finish());
    rig.player.waitUntilIdle();
    EXPECT_EQ(page->captions().back(), "1600:Play");
    EXPECT_EQ(page->touchedWhileIdle, 0);
    page.reset();
    rig.sequencer.reset();
}
