#include "platform/midi_provider.h"
#include "sound/tuner_player.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <gtest/gtest.h>

using namespace strumvale;
using platform::ScopedMidiProviders;
using sound::TunerPlayer;
using test::RecordingMidi;
using Lines = std::vector<std::string>;

namespace {

struct TunerRig {
    sound::VirtualClock clock;
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 1);
    ScopedMidiProviders scope{{recorder}};
    sound::ChordPlayer player{clock};
    std::atomic<int> finished{0};
    std::unique_ptr<TunerPlayer> tuner = std::make_unique<TunerPlayer>(player);

    TunerRig() { player.setup(0, 2, 0, 127); }
    void start() {
        tuner->start([this, tuner = tuner.get()] {
            // Idle by the time it says so.
            EXPECT_FALSE(tuner->isPlaying());
            ++finished;
        });
    }
    bool finish() {
        return clock.runUntil([&] { return finished > 0; });
    }
};

} // namespace

TEST(TunerPlayer, SoundsANoteForItsLengthOnceOrAgainAndAgain) {
    TunerRig rig;
    rig.tuner->setNote("E1");
    rig.tuner->setNoteLength(1000);
    rig.tuner->setSound(100, 90);
    rig.start();
    EXPECT_TRUE(rig.tuner->isPlaying());
    rig.start(); // a second worker is never started
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c2 7c 00", "0 92 28 5a", "1000 82 28 00"}))
        << "program, note-on, and the note-off after the note length, on the player's channel";
    EXPECT_EQ(rig.finished, 1);
    rig.recorder->clear();

    // Looping: a new string and length are taken at the next repetition,
    // which follows the last note-off at once.
    rig.finished = 0;
    rig.tuner->setSound(0, 127);
    rig.tuner->setLooping(true);
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.tuner->setNote("A1");
    rig.tuner->setNoteLength(500);
    rig.clock.advance(std::chrono::milliseconds(1000));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.tuner->setLooping(false);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"1000 c2 00 00", "1000 92 28 7f", "2000 82 28 00",
                                            "2000 c2 00 00", "2000 92 2d 7f", "2500 82 2d 00"}));
}

TEST(TunerPlayer, GoingAwayMidNoteTurnsItOff) {
    TunerRig rig;
    rig.tuner->setNote("D2");
    rig.tuner->setLooping(true);
    rig.start();
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.tuner.reset();
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c2 00 00", "0 92 32 7f", "0 82 32 00"}));
    EXPECT_EQ(rig.finished, 1);
}

TEST(TunerPlayer, TheNoteChangesWholeWhileTheWorkerReadsIt) {
    // The user-interface thread switches strings as fast as it can while a
    // loop plays; every note the worker sounds is one that was set.
    TunerRig rig;
    rig.tuner->setNote("E1");
    rig.tuner->setNoteLength(1);
    rig.tuner->setLooping(true);
    rig.start();
    const char* notes[] = {"E1", "F#-1", "A#2", "B3"};
    for (int i = 0; i < 2000; ++i) {
        rig.tuner->setNote(notes[i % 4]);
        rig.clock.advance(std::chrono::milliseconds(1));
    }
    rig.tuner->setLooping(false);
    ASSERT_TRUE(rig.finish());
    for (const auto& message : rig.recorder->messages()) {
        const unsigned note = (message.packed >> 8) & 0xFF;
        if ((message.packed & 0xF0) != 0xC0) {
            EXPECT_TRUE(note == 40 || note == 18 || note == 58 || note == 71) << note;
        }
    }
}

TEST(TunerPlayer, PlayNowCutsTheSoundingNoteShort) {
    TunerRig rig;
    const auto idle = [&] { return !rig.tuner->isPlaying(); };
    rig.tuner->playNow("E1");
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.clock.advance(std::chrono::milliseconds(300));
    rig.tuner->playNow("A1");
    ASSERT_TRUE(rig.clock.runUntil(idle));
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c2 00 00", "0 92 28 7f", "300 82 28 00",
                                            "300 c2 00 00", "300 92 2d 7f", "1300 82 2d 00"}))
        << "the new note at the moment of the click, then for a whole note length";
}

TEST(TunerPlayer, AClickAsANoteEndsIsNeverLost) {
    // Each click comes just as the sounding note reaches its end, so the
    // worker may be anywhere between its last wait and finishing.
    TunerRig rig;
    const char* notes[] = {"E1", "A1", "D2", "G2"};
    const char* keys[] = {"28", "2d", "32", "37"};
    const int clicks = 200;
    Lines expected = {"0 c2 00 00", "0 92 28 7f"};
    rig.tuner->playNow(notes[0]);
    for (int i = 1; i < clicks; ++i) {
        ASSERT_TRUE(rig.clock.waitForSleepers(1)) << i;
        rig.clock.advance(std::chrono::milliseconds(1000));
        rig.tuner->playNow(notes[i % 4]);
        const std::string ms = std::to_string(i * 1000);
        expected.push_back(ms + " 82 " + keys[(i - 1) % 4] + " 00");
        expected.push_back(ms + " c2 00 00");
        expected.push_back(ms + " 92 " + keys[i % 4] + " 7f");
    }
    ASSERT_TRUE(rig.clock.runUntil([&] { return !rig.tuner->isPlaying(); }));
    expected.push_back(std::to_string(clicks * 1000) + " 82 " + keys[(clicks - 1) % 4] + " 00");
    EXPECT_EQ(rig.recorder->lines(), expected);
}

TEST(TunerPlayer, ABurstOfClicksEndsWithTheLastNoteSoundedOnce) {
    // Clicks faster than the worker can follow: some notes are passed over,
    // but every one sounded is turned off and the last lasts one note length.
    TunerRig rig;
    const char* notes[] = {"E1", "A1", "D2", "G2"};
    for (int burst = 0; burst < 50; ++burst) {
        rig.recorder->clear();
        const long start = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(rig.clock.elapsed()).count());
        for (int i = 0; i < 100; ++i)
            rig.tuner->playNow(notes[i % 4]);
        ASSERT_TRUE(rig.clock.runUntil([&] { return !rig.tuner->isPlaying(); }));
        const Lines lines = rig.recorder->lines();
        ASSERT_EQ(lines.size() % 3, 0u) << burst;
        ASSERT_GE(lines.size(), 3u) << burst;
        for (std::size_t n = 0; n < lines.size(); n += 3) {
            const bool last = n + 3 == lines.size();
            const std::string at = std::to_string(start) + " ";
            const std::string key = lines[n + 1].substr(lines[n + 1].find(' ') + 4, 2);
            EXPECT_EQ(lines[n], at + "c2 00 00") << burst;
            EXPECT_EQ(lines[n + 1], at + "92 " + key + " 7f") << burst;
            EXPECT_EQ(lines[n + 2],
                      std::to_string(start + (last ? 1000 : 0)) + " 82 " + key + " 00")
                << burst;
            if (last) {
                EXPECT_EQ(key, "37") << burst << ": the last click's note";
            }
        }
    }
}
