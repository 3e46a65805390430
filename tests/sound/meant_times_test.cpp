#include "platform/midi_provider.h"
#include "sound/chord_player.h"
#include "sound/drum_sequencer.h"
#include "sound/play_along.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace strumvale;
using test::RecordingMidi;
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

namespace {

// Every sleeper wakes 3 ms after its deadline, as a thread on a busy machine
// does: what each message was meant for must not follow the wake-up.
class LateClock : public sound::Clock {
public:
    TimePoint now() override { return inner.now(); }
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override {
        return inner.sleepUntil(deadline + 3ms, stop);
    }
    sound::VirtualClock inner;
};

struct Rig {
    LateClock clock;
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope{{recorder}};
    sound::ChordPlayer player{clock};

    Rig() { player.setup(0, 0, 0, 127); }
    bool finish() {
        return clock.inner.runUntil([&] { return !player.isPlaying(); });
    }
};

class OneHit : public sound::PatternSource {
public:
    bool hit(int step, int track) override { return track == 1 && step <= 2; }
    int instrument(int) override { return 40; }
    int volume(int) override { return 100; }
    int tempo() override { return 600; }
    sound::DrumFlags& flags() override { return flags_; }
    sound::DrumFlags flags_;
};

} // namespace

TEST(MeantTimes, AStrumIsMeantForItsBeatsAndAStoppedOneEndsNow) {
    Rig rig;
    rig.player.setStrumDelay(100);
    rig.player.setHoldTime(200);
    rig.player.strum({"A", "A", "x 0 2 2 x x"}, model::Tuning::standard());
    ASSERT_TRUE(rig.finish());
    // Sent late, meant on the beat; the release at the hold's end.
    EXPECT_EQ(rig.recorder->meantLines(),
              (Lines{"0>0 c0 00 00", "0>0 90 2d 7f", "103>100 c0 00 00", "103>100 90 34 7f",
                     "203>200 c0 00 00", "203>200 90 39 7f", "503>500 80 2d 00", "503>500 80 34 00",
                     "503>500 80 39 00"}));

    // Ended while it rings (the player closing): the release is for now,
    // never for a beat that would keep it sounding.
    rig.recorder->clear();
    auto player = std::make_unique<sound::ChordPlayer>(rig.clock);
    player->setup(0, 0, 0, 127);
    player->setHoldTime(5000);
    player->strum({"A", "A", "x 0 x x x x"}, model::Tuning::standard());
    ASSERT_TRUE(rig.clock.inner.waitForSleepers(1));
    rig.clock.inner.advance(200ms);
    player.reset();
    const Lines sent = rig.recorder->meantLines();
    ASSERT_FALSE(sent.empty());
    EXPECT_NE(sent.back().find(">now 80 2d 00"), std::string::npos) << sent.back();
}

TEST(MeantTimes, DrumStepsAndPlayAlongAreMeantForTheirStepsNotTheirWakeUps) {
    Rig rig;
    sound::DrumSequencer sequencer(rig.player);
    OneHit pattern;
    sequencer.start(pattern, {});
    ASSERT_TRUE(rig.finish());
    const Lines drums = rig.recorder->meantLines();
    ASSERT_GE(drums.size(), 4u);
    // Step 1 at 0, its release and step 2 on step 2's beat, each sent 3 ms late.
    EXPECT_EQ(Lines(drums.begin(), drums.begin() + 4),
              (Lines{"0>0 99 4b 64", "103>100 89 4b 00", "103>100 99 4b 64", "203>200 89 4b 00"}));

    rig.recorder->clear();
    sound::PlayAlong along(rig.player);
    sound::Score score;
    score.entries = {{"A1", "E2"}, {"D2"}};
    score.stepsPerEntry = 2;
    score.stepLength = [] { return std::chrono::milliseconds(100); };
    score.holdToEntryEnd = true;
    rig.player.setStrumDelay(10);
    ASSERT_TRUE(along.start(score, {}));
    ASSERT_TRUE(rig.clock.inner.runUntil([&] { return !along.isPlaying(); }));
    // Meant times from the performance's start.
    Lines notes;
    const long start = rig.recorder->messages().front().meantMs;
    for (const auto& message : rig.recorder->messages()) {
        const unsigned status = message.packed & 0xF0;
        if (status != 0x90 && status != 0x80)
            continue;
        char line[40];
        std::snprintf(line, sizeof line, " %02x %02x %02x", message.packed & 0xFF,
                      (message.packed >> 8) & 0xFF, (message.packed >> 16) & 0xFF);
        notes.push_back(
            (message.meantMs < 0 ? std::string("now") : std::to_string(message.meantMs - start)) +
            line);
    }
    EXPECT_EQ(notes, (Lines{"0 90 2d 7f", "10 90 34 7f", "200 80 2d 00", "200 80 34 00",
                            "200 90 32 7f", "now 80 32 00"}));
}
