#include "platform/midi_provider.h"
#include "sound/chord_player.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace strumvale;
using platform::ScopedMidiProviders;
using sound::ChordPlayer;
using test::RecordingMidi;
using Lines = std::vector<std::string>;

namespace {

const model::Tuning kStandard = model::Tuning::standard();

model::Chord chord(const char* tab) {
    return {"E", "chord", tab};
}

struct PlayerRig {
    sound::VirtualClock clock;
    std::shared_ptr<RecordingMidi> recorder = std::make_shared<RecordingMidi>(clock, 2);
    ScopedMidiProviders scope{{recorder}};
    std::vector<sound::PlayerError> errors;
    std::mutex errorsMutex;
    std::unique_ptr<ChordPlayer> player = std::make_unique<ChordPlayer>(clock);

    PlayerRig() {
        player->setErrorReport([this](const sound::PlayerError& error) {
            std::lock_guard lock(errorsMutex);
            errors.push_back(error);
        });
    }
    bool finish() {
        return clock.runUntil([&] { return !player->isPlaying(); });
    }
    long elapsedMs() {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(clock.elapsed()).count());
    }
    std::vector<std::string> texts() {
        std::lock_guard lock(errorsMutex);
        std::vector<std::string> result;
        for (const auto& error : errors)
            result.push_back(error.Caption + ": " + error.Text + " / " + error.DeviceText);
        return result;
    }
};

} // namespace

TEST(ChordPlayerStrum, StrikesStringSixToOneThenTurnsAllOff) {
    PlayerRig rig;
    rig.player->setup(0, 0, 0, 127);
    rig.player->setStrumDelay(100);
    rig.player->setHoldTime(500);
    rig.player->strum(chord("0 2 2 1 0 0"), kStandard);
    EXPECT_TRUE(rig.player->isPlaying());
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(),
              (Lines{"0 c0 00 00", "0 90 28 7f", "100 c0 00 00", "100 90 2f 7f", "200 c0 00 00",
                     "200 90 34 7f", "300 c0 00 00", "300 90 38 7f", "400 c0 00 00", "400 90 3b 7f",
                     "500 c0 00 00", "500 90 40 7f", "1100 80 28 00", "1100 80 2f 00",
                     "1100 80 34 00", "1100 80 38 00", "1100 80 3b 00", "1100 80 40 00"}));
    EXPECT_FALSE(rig.player->isPlaying());
    EXPECT_TRUE(rig.errors.empty());

    // Muted strings take no time: five strings, then the hold.
    rig.recorder->clear();
    rig.player->strum(chord("x 3 2 0 1 0"), kStandard);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.elapsedMs(), 1100 + 5 * 100 + 500);
    EXPECT_EQ(rig.recorder->messages().size(), 5u * 3);
    EXPECT_EQ(rig.recorder->lines()[9], "1500 90 40 7f");

    // All muted: silent, busy for the hold time alone.
    rig.recorder->clear();
    rig.player->strum(chord("x x x x x x"), kStandard);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.elapsedMs(), 2100 + 500);
    EXPECT_TRUE(rig.recorder->messages().empty());
}

TEST(ChordPlayerStrum, NotesOutsideTheTableAndBadTokensAreSilent) {
    EXPECT_EQ(ChordPlayer::strumNotes("0 2 2 1 0 0", "E1,A1,D2,G2,B2,E3"),
              (Lines{"E1", "B1", "E2", "G#2", "B2", "E3"}));
    // An open B4 is past the open-string notes; A4 fret 3 is past the table.
    EXPECT_EQ(ChordPlayer::strumNotes("0 0 0 0 0 0", "E1,A1,D2,G2,B2,B4"),
              (Lines{"E1", "A1", "D2", "G2", "B2"}));
    EXPECT_EQ(ChordPlayer::strumNotes("0 0 0 0 2 3", "E1,A1,D2,G2,A4,A4"),
              (Lines{"E1", "A1", "D2", "G2", "B4"}));
    EXPECT_EQ(ChordPlayer::strumNotes("13 -1 01 x 12 0", "E1,A1,D2,G2,B2,Q9"), (Lines{"B3"}));
    EXPECT_EQ(ChordPlayer::strumNotes("0 0", kStandard.Notes), Lines{});
}

TEST(ChordPlayerStrum, ASecondStrumWhilePlayingIsIgnored) {
    PlayerRig rig;
    rig.player->setup(0, 0, 0, 127);
    rig.player->setStrumDelay(10);
    rig.player->setHoldTime(100);
    rig.player->strum(chord("x x x x x 0"), kStandard);
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.player->strum(chord("0 x x x x x"), kStandard);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c0 00 00", "0 90 40 7f", "110 80 40 00"}));
}

TEST(ChordPlayerStrum, InstrumentChannelAndVelocityAsSent) {
    PlayerRig rig;
    rig.player->setup(0, 9, 100, 64);
    rig.player->setStrumDelay(10);
    rig.player->strum(chord("x x x x 0 0"), kStandard);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c9 7c 00", "0 99 3b 40", "10 c9 7c 00",
                                            "10 99 40 40", "220 89 3b 00", "220 89 40 00"}))
        << "position 100 is program 124; channel 10 is nothing special";

    rig.recorder->clear();
    rig.player->setInstrument(95);
    EXPECT_TRUE(rig.player->playNote("E1"));
    // Values from a damaged settings file still make valid MIDI.
    rig.player->setChannel(20);
    rig.player->setInstrument(-3);
    rig.player->setVelocity(300);
    EXPECT_TRUE(rig.player->playNote("B4"));
    EXPECT_TRUE(rig.player->stopNote("B4"));
    EXPECT_TRUE(rig.player->playNote("H2"));
    EXPECT_TRUE(rig.player->stopNote("E"));
    EXPECT_EQ(rig.recorder->lines(), (Lines{"220 c9 5f 00", "220 99 28 40", "220 cf 00 00",
                                            "220 9f 53 7f", "220 8f 53 00"}));
    EXPECT_EQ(rig.player->channel(), 20) << "the stored value stays as given";
}

TEST(ChordPlayerDrums, HitsAndReleasesOnChannelTen) {
    PlayerRig rig;
    EXPECT_TRUE(rig.player->drumHit(0, 100));
    EXPECT_TRUE(rig.recorder->messages().empty()) << "nothing while the device is closed";
    rig.player->setup(0, 3, 0, 127);
    EXPECT_TRUE(rig.player->drumHit(0, 100));
    EXPECT_TRUE(rig.player->drumRelease(46));
    EXPECT_TRUE(rig.player->drumHit(47, 100));
    EXPECT_TRUE(rig.player->drumHit(-1, 100));
    EXPECT_TRUE(rig.player->drumHit(3, 500));
    ASSERT_EQ(rig.recorder->messages().size(), 3u);
    EXPECT_EQ(rig.recorder->messages()[0].packed, 0x642399u);
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 99 23 64", "0 89 51 00", "0 99 26 7f"}));
}

TEST(ChordPlayerSetup, OpensOnlyAnExistingDeviceWhileIdle) {
    PlayerRig rig;
    rig.player->setup(2, 5, 5, 5);
    rig.player->setup(-1, 5, 5, 5);
    EXPECT_FALSE(rig.player->isOpen());
    EXPECT_EQ(rig.player->channel(), 0) << "nothing changes";

    // Without a device a strum keeps its timing, silently.
    rig.player->setStrumDelay(50);
    rig.player->setHoldTime(100);
    rig.player->strum(chord("0 2 2 1 0 0"), kStandard);
    rig.player->setup(1, 5, 5, 5);
    EXPECT_FALSE(rig.player->isOpen()) << "ignored while playing";
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.elapsedMs(), 400);
    EXPECT_TRUE(rig.recorder->messages().empty());

    rig.player->setup(1, 5, 6, 7);
    EXPECT_TRUE(rig.player->isOpen());
    EXPECT_EQ(rig.player->instrument(), 6);
    rig.player->reopen(0);
    EXPECT_TRUE(rig.player->isOpen());
    rig.player->reopen(2);
    EXPECT_FALSE(rig.player->isOpen()) << "closed, and no device 2 to open";
    EXPECT_TRUE(rig.errors.empty());

    ScopedMidiProviders none({});
    rig.player->setup(0, 0, 0, 127);
    EXPECT_FALSE(rig.player->isOpen());
    EXPECT_TRUE(rig.errors.empty());
}

TEST(ChordPlayerFailures, AreReportedAndNeverLeaveItPlaying) {
    PlayerRig rig;
    rig.recorder->openResult = platform::midi_result::Allocated;
    rig.player->setup(0, 0, 0, 127);
    rig.player->reopen(1);
    EXPECT_FALSE(rig.player->isOpen());
    const std::string busy =
        "The specified device is already in use. Wait until it is free, then try again.";
    EXPECT_EQ(rig.texts(), (Lines{"Error: Could not initialize the chordplayer! / " + busy,
                                  "Error: Could not initialize the chordplayer! / " + busy}));
    rig.errors.clear();

    rig.recorder->openResult = platform::midi_result::NoError;
    rig.player->setup(0, 0, 0, 127);
    rig.recorder->sendResult = platform::midi_result::NotReady;
    rig.player->setStrumDelay(10);
    rig.player->strum(chord("0 2 2 1 0 0"), kStandard);
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.texts(),
              Lines{"Error: Could not play the note! / The hardware is busy with other data."})
        << "one report for the whole strum";
    rig.errors.clear();

    EXPECT_FALSE(rig.player->stopNote("E1"));
    EXPECT_FALSE(rig.player->drumHit(0, 1));
    EXPECT_FALSE(rig.player->drumRelease(0));
    EXPECT_EQ(
        rig.texts(),
        (Lines{"Error: Could not turn off the note! / The hardware is busy with other data.",
               "Error: Could not play the note! / The hardware is busy with other data.",
               "Error: Could not turn off the note! / The hardware is busy with other data."}));
}

TEST(ChordPlayerFailures, ReportsBeforeAHandlerWaitForIt) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock, 1);
    recorder->openResult = platform::midi_result::NoDriver;
    ScopedMidiProviders scope({recorder});
    ChordPlayer player(clock);
    player.setup(0, 0, 0, 127);
    std::vector<std::string> seen;
    player.setErrorReport([&](const sound::PlayerError& error) { seen.push_back(error.Text); });
    EXPECT_EQ(seen, Lines{"Could not initialize the chordplayer!"});
}

TEST(ChordPlayerRobustness, DeviceChangesAndDestructionMidStrum) {
    {
        PlayerRig rig;
        rig.player->setup(0, 0, 0, 127);
        rig.player->setStrumDelay(100);
        rig.player->setHoldTime(100);
        rig.player->strum(chord("0 0 x x x x"), kStandard);
        ASSERT_TRUE(rig.clock.waitForSleepers(1));
        rig.player->reopen(1);
        ASSERT_TRUE(rig.finish());
        EXPECT_EQ(rig.recorder->lines(0), (Lines{"0 c0 00 00", "0 90 28 7f"}));
        EXPECT_EQ(rig.recorder->lines(1),
                  (Lines{"100 c0 00 00", "100 90 2d 7f", "300 80 28 00", "300 80 2d 00"}));

        rig.player->strum(chord("0 0 x x x x"), kStandard);
        ASSERT_TRUE(rig.clock.waitForSleepers(1));
        rig.player->reopen(-1);
        ASSERT_TRUE(rig.finish());
        EXPECT_FALSE(rig.player->isOpen());
        EXPECT_EQ(rig.elapsedMs(), 600) << "the strum kept its time with the device closed";
    }
    PlayerRig rig;
    rig.player->setup(0, 0, 0, 127);
    rig.player->setStrumDelay(100);
    rig.player->setHoldTime(1000);
    rig.player->strum(chord("0 0 0 0 0 0"), kStandard);
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.clock.advance(std::chrono::milliseconds(100));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.player.reset();
    EXPECT_EQ(rig.recorder->lines(), (Lines{"0 c0 00 00", "0 90 28 7f", "100 c0 00 00",
                                            "100 90 2d 7f", "100 80 28 00", "100 80 2d 00"}))
        << "cut short: what sounded is turned off";
    EXPECT_EQ(rig.recorder->openPorts(), 0);
}

TEST(ChordPlayerRobustness, SendsFromManyThreadsWhileTheDeviceChanges) {
    PlayerRig rig;
    rig.player->setup(0, 0, 0, 127);
    std::atomic<bool> done{false};
    std::vector<std::thread> senders;
    for (int i = 0; i < 3; ++i) {
        senders.emplace_back([&, i] {
            while (!done) {
                rig.player->drumHit(i, 100);
                rig.player->playNote("E1");
                rig.player->stopNote("E1");
                rig.player->setVelocity(i);
            }
        });
    }
    for (int i = 0; i <= 200; ++i)
        rig.player->reopen(i % 3);
    done = true;
    for (auto& sender : senders)
        sender.join();
    EXPECT_TRUE(rig.errors.empty());
    EXPECT_EQ(rig.recorder->openPorts(), 0) << "the last reopen(2) found no device";
}

TEST(ChordPlayerFailures, AReplacedHandlerIsNeitherRunningNorCalledAgain) {
    // The window clears its handler as it goes; a report of a strum thread
    // that was already on its way must not reach it afterwards.
    PlayerRig rig;
    rig.player->setup(0, 0, 0, 127);
    rig.recorder->sendResult = platform::midi_result::NotReady;
    std::atomic<bool> done{false};
    std::thread failing([&] {
        while (!done)
            rig.player->playNote("E1");
    });
    std::atomic<int> current{0};
    std::atomic<int> late{0};
    std::atomic<int> calls{0};
    for (int generation = 1; calls < 200 && generation < 10'000'000; ++generation) {
        current = generation;
        rig.player->setErrorReport([&, generation](const sound::PlayerError&) {
            ++calls;
            // A handler takes its time (the window queues a call); all of it
            // must lie before the replacement returns.
            for (int i = 0; i < 20; ++i) {
                if (current.load() != generation) {
                    ++late;
                    return;
                }
                std::this_thread::yield();
            }
        });
        rig.player->setErrorReport({});
        current = 0;
    }
    done = true;
    failing.join();
    ASSERT_GE(calls, 200);
    EXPECT_EQ(late, 0) << "a handler ran after it was replaced";
}

TEST(ChordPlayerReset, SilencesEveryChannelThenReopensTheChosenDevice) {
    PlayerRig rig;
    rig.player->setup(0, 3, 0, 127);
    const int listings = rig.recorder->listings();
    rig.player->resetDevice(0);
    Lines silenced;
    for (int channel = 0; channel < 16; ++channel) {
        char status[3];
        std::snprintf(status, sizeof status, "%x", channel);
        silenced.push_back(std::string("0 b") + status + " 7b 00");
        silenced.push_back(std::string("0 b") + status + " 79 00");
    }
    EXPECT_EQ(rig.recorder->lines(0), silenced) << "All Notes Off, then Reset All Controllers";
    EXPECT_TRUE(rig.player->isOpen());
    EXPECT_EQ(rig.recorder->openPorts(), 1);
    EXPECT_EQ(rig.recorder->listings(), listings) << "the id names a device of the last list";

    // The old device gets the reset; the chosen one is open afterwards.
    rig.recorder->clear();
    rig.player->resetDevice(1);
    EXPECT_TRUE(rig.player->playNote("E1"));
    EXPECT_EQ(rig.recorder->lines(0), silenced);
    EXPECT_EQ(rig.recorder->lines(1), (Lines{"0 c3 00 00", "0 93 28 7f"}));
    EXPECT_EQ(rig.recorder->openPorts(), 1);

    // Closed first: a device that will not open again stays closed.
    rig.recorder->clear();
    rig.recorder->openResult = platform::midi_result::Allocated;
    rig.player->resetDevice(1);
    EXPECT_EQ(rig.recorder->lines(1), silenced);
    EXPECT_FALSE(rig.player->isOpen());
    EXPECT_EQ(rig.recorder->openPorts(), 0);
    ASSERT_EQ(rig.texts().size(), 1u);
    EXPECT_EQ(rig.texts()[0].rfind("Error: Could not initialize the chordplayer! / ", 0), 0u);
    rig.errors.clear();

    // Nothing open: nothing is sent, and the device is opened.
    rig.recorder->clear();
    rig.recorder->openResult = platform::midi_result::NoError;
    rig.player->resetDevice(0);
    EXPECT_TRUE(rig.recorder->messages().empty());
    EXPECT_TRUE(rig.player->isOpen());

    // A failing device is reported once, not once per message, and reopened.
    rig.recorder->sendResult = platform::midi_result::NotReady;
    rig.player->resetDevice(0);
    EXPECT_EQ(rig.texts(),
              Lines{"Error: Could not turn off the note! / The hardware is busy with other data."});
    EXPECT_TRUE(rig.player->isOpen());
    EXPECT_EQ(rig.recorder->openPorts(), 1);
}
