#include "model/metre.h"
#include "model/playlist.h"
#include "platform/midi_provider.h"
#include "sound/metronome.h"
#include "sound/play_along.h"
#include "sound/tap_tempo.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"
#include "support/sound_rig.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

using namespace strumvale;
using platform::ScopedMidiProviders;
using sound::PlayAlong;
using test::RecordingMidi;
using Lines = std::vector<std::string>;

namespace {

const model::Tuning kStandard = model::Tuning::standard();

model::Chord chord(const char* tab) {
    return {"E", "chord", tab};
}

// The Drummer page's pattern; any of it may change while it plays.
class Pattern : public sound::LivePattern {
public:
    void setTrack(int track, int instrument, int volume, std::initializer_list<int> steps) {
        instruments_[track - 1] = instrument;
        volumes_[track - 1] = volume;
        for (int step : steps)
            cells_[model::DrumPattern::cellIndex(step, track)] = true;
    }
    void setHit(int step, int track, bool on) {
        cells_[model::DrumPattern::cellIndex(step, track)] = on;
    }
    void setInstrument(int track, int instrument) { instruments_[track - 1] = instrument; }
    void setTempo(int bpm) { bpm_ = bpm; }

    bool hit(int step, int track) override {
        return cells_[model::DrumPattern::cellIndex(step, track)];
    }
    int instrument(int track) override { return instruments_[track - 1]; }
    int volume(int track) override { return volumes_[track - 1]; }
    int tempo() override { return bpm_; }

private:
    std::array<std::atomic<bool>, 16 * 8> cells_{};
    std::array<std::atomic<int>, 8> instruments_{};
    std::array<std::atomic<int>, 8> volumes_{};
    std::atomic<int> bpm_{120};
};

// What the device should get, in order, as RecordingMidi::lines writes it.
class Sent {
public:
    // A chord note as the player sends it: program 0, then the note on channel 1.
    Sent& on(long ms, int key) {
        add(ms, 0xc0, 0, 0);
        return add(ms, 0x90, key, 127);
    }
    Sent& off(long ms, std::initializer_list<int> keys) {
        for (int key : keys)
            add(ms, 0x80, key, 0);
        return *this;
    }
    Sent& hit(long ms, int key, int velocity) { return add(ms, 0x99, key, velocity); }
    Sent& release(long ms, int key) { return add(ms, 0x89, key, 0); }

    Lines lines;

private:
    Sent& add(long ms, int status, int data1, int data2) {
        char line[40];
        std::snprintf(line, sizeof line, "%ld %02x %02x %02x", ms, status, data1, data2);
        lines.push_back(line);
        return *this;
    }
};

struct AlongRig : test::SoundRig {
    sound::ChordPlayer player{clock};
    Pattern pattern;
    std::mutex toldMutex;
    // "ms:entry" for each entry report, "ms:ended" for the last one.
    Lines told;
    std::unique_ptr<PlayAlong> along = std::make_unique<PlayAlong>(player);

    AlongRig() { player.setup(0, 0, 0, 127); }

    bool start(sound::Score score) {
        sound::PlayAlongReports reports;
        reports.entry = [this](int entry) { tell(std::to_string(entry)); };
        reports.countIn = [this](int beatsLeft) { tell("count " + std::to_string(beatsLeft)); };
        reports.tempo = [this](int bpm) { tell(std::to_string(bpm) + " bpm"); };
        reports.loopPass = [this](int pass) { tell("pass " + std::to_string(pass)); };
        reports.ended = [this] {
            EXPECT_FALSE(player.isPlaying()) << "idle by the last report";
            tell("ended");
        };
        return along->start(std::move(score), std::move(reports));
    }
    bool startPlaylist(const std::vector<model::Chord>& chords, bool drums,
                       std::string_view tuningNotes = kStandard.Notes) {
        model::Playlist playlist;
        for (const model::Chord& entry : chords)
            playlist.append(entry, tuningNotes);
        return start(sound::playlistScore(playlist, pattern, drums));
    }
    bool finish() {
        return clock.runUntil([&] {
            std::lock_guard lock(toldMutex);
            return !told.empty() && told.back().ends_with(":ended");
        });
    }
    Lines reports() {
        std::lock_guard lock(toldMutex);
        return told;
    }
    long elapsedMs() {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(clock.elapsed()).count());
    }

private:
    void tell(const std::string& what) {
        std::lock_guard lock(toldMutex);
        told.push_back(std::to_string(elapsedMs()) + ":" + what);
    }
};

} // namespace

TEST(PlayAlongPlaylist, EveryStringOfEachChordSoundsInsideItsBarAndRingsToItsEnd) {
    AlongRig rig;
    // The settings' chord speed would put the sixth string of a chord 1500 ms in.
    rig.player.setStrumDelay(300);
    rig.player.setHoldTime(300);
    // 120 bpm: 499 ms steps, bars of four (1996 ms); a strum spans at most an
    // eighth of that, 249 ms.
    ASSERT_TRUE(rig.startPlaylist({chord("0 2 2 1 0 0"), model::Playlist::separator(),
                                   chord("x x 0 2 3 2"), chord("3 2 0 0 0 3")},
                                  false));
    EXPECT_TRUE(rig.player.isPlaying());
    EXPECT_TRUE(rig.along->isPlaying());
    rig.player.strum(chord("0 0 0 0 0 0"), kStandard);
    EXPECT_FALSE(rig.startPlaylist({chord("0 0 0 0 0 0")}, false));
    ASSERT_TRUE(rig.finish());

    Sent sent;
    // Six strings 49 ms apart; all ring until the next bar, whatever the hold.
    sent.on(0, 0x28).on(49, 0x2f).on(98, 0x34).on(147, 0x38).on(196, 0x3b).on(245, 0x40);
    sent.off(1996, {0x28, 0x2f, 0x34, 0x38, 0x3b, 0x40});
    // Four strings spread over the same span; the separator's bar rests.
    sent.on(3992, 0x32).on(4075, 0x39).on(4158, 0x3e).on(4241, 0x42);
    sent.off(5988, {0x32, 0x39, 0x3e, 0x42});
    // Rings to the end of the playlist.
    sent.on(5988, 0x2b).on(6037, 0x2f).on(6086, 0x32).on(6135, 0x37).on(6184, 0x3b);
    sent.on(6233, 0x43).off(7984, {0x2b, 0x2f, 0x32, 0x37, 0x3b, 0x43});
    EXPECT_EQ(rig.recorder->lines(), sent.lines)
        << "the strum asked for meanwhile sounded nothing, nor did a second start";
    EXPECT_EQ(rig.reports(), (Lines{"0:0", "1996:1", "3992:2", "5988:3", "7984:-1", "7984:ended"}));
    EXPECT_FALSE(rig.player.isPlaying());
    EXPECT_FALSE(rig.along->isPlaying());
}

TEST(PlayAlongPlaylist, AFastChordSpeedIsKeptAndEachEntryPlaysInItsOwnTuning) {
    AlongRig rig;
    rig.player.setStrumDelay(10);
    model::Playlist playlist;
    // G as the Chords and Tabs page hands it over from each tuning.
    playlist.append({"G", "G", "3 2 0 0 0 3"});
    playlist.append({"G", "G - Drop D", "5 2 0 0 0 3"}, "D1,A1,D2,G2,B2,E3");
    playlist.append({"G", "G - Open G", "5 4 0 0 0 5"}, "D1,G1,D2,G2,B2,D3");
    ASSERT_TRUE(rig.start(sound::playlistScore(playlist, rig.pattern, false)));
    ASSERT_TRUE(rig.finish());

    Sent sent;
    for (long bar : {0L, 1996L, 3992L}) {
        sent.on(bar, 0x2b).on(bar + 10, 0x2f).on(bar + 20, 0x32).on(bar + 30, 0x37);
        sent.on(bar + 40, 0x3b).on(bar + 50, 0x43);
        sent.off(bar + 1996, {0x2b, 0x2f, 0x32, 0x37, 0x3b, 0x43});
    }
    EXPECT_EQ(rig.recorder->lines(), sent.lines) << "G B D G B G three times, never F";
}

TEST(PlayAlongPlaylist, DrumsLoopTheirSixteenStepsBesideTheChords) {
    AlongRig rig;
    rig.player.setStrumDelay(100);
    rig.player.setHoldTime(2000); // every chord rings until the next entry
    rig.pattern.setTrack(1, 0, 127, {1, 5, 9, 13});
    rig.pattern.setTrack(2, 7, 90, {4, 16});
    rig.pattern.setTrack(8, 46, 64, {2});
    ASSERT_TRUE(
        rig.startPlaylist({chord("x x x x 0 0"), chord("x x x 0 1 x"), model::Playlist::separator(),
                           chord("x x x x x 0"), chord("0 x x x x x")},
                          true));
    ASSERT_TRUE(rig.finish());

    Sent sent;
    sent.hit(0, 0x23, 0x7f).on(0, 0x3b).on(100, 0x40);
    sent.release(499, 0x23).hit(499, 0x51, 0x40).release(998, 0x51);
    sent.hit(1497, 0x2a, 0x5a);
    // A bar boundary: the step's drums go, then the chord, then the new step and chord come.
    sent.release(1996, 0x2a).off(1996, {0x3b, 0x40}).hit(1996, 0x23, 0x7f).on(1996, 0x37);
    sent.on(2096, 0x3c).release(2495, 0x23);
    // The separator's bar: silent but for the drums.
    sent.off(3992, {0x37, 0x3c}).hit(3992, 0x23, 0x7f).release(4491, 0x23);
    sent.hit(5988, 0x23, 0x7f).on(5988, 0x40).release(6487, 0x23);
    sent.hit(7485, 0x2a, 0x5a);
    // Step 17 is the pattern's first again.
    sent.release(7984, 0x2a).off(7984, {0x40}).hit(7984, 0x23, 0x7f).on(7984, 0x28);
    sent.release(8483, 0x23).hit(8483, 0x51, 0x40).release(8982, 0x51);
    sent.hit(9481, 0x2a, 0x5a).release(9980, 0x2a).off(9980, {0x28});
    EXPECT_EQ(rig.recorder->lines(), sent.lines);
    EXPECT_EQ(rig.reports(),
              (Lines{"0:0", "1996:1", "3992:2", "5988:3", "7984:4", "9980:-1", "9980:ended"}));
}

TEST(PlayAlongPlaylist, TheTempoComesFromThePatternAndChangesFromTheNextStep) {
    AlongRig rig;
    rig.player.setStrumDelay(100);
    rig.player.setHoldTime(200);
    // Hits on every step, unheard: the drums do not play along.
    for (int step = 1; step <= 16; ++step)
        rig.pattern.setTrack(1, 0, 127, {step});
    ASSERT_TRUE(rig.startPlaylist({chord("x x x x x 0"), chord("x x x x 0 x")}, false));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.elapsedMs() >= 499; }));
    // In the second step, whose length is already taken.
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.pattern.setTempo(595);
    ASSERT_TRUE(rig.finish());

    // Steps of 499, 499, 100, 100; then the second bar in 100 ms steps.
    EXPECT_EQ(rig.recorder->lines(),
              Sent().on(0, 0x40).off(1198, {0x40}).on(1198, 0x3b).off(1598, {0x3b}).lines);
    EXPECT_EQ(rig.reports(), (Lines{"0:0", "1198:1", "1598:-1", "1598:ended"}));
}

TEST(PlayAlongPlaylist, EachDrumStepReleasesWhatItStruckWhateverThePatternBecame) {
    AlongRig rig;
    rig.pattern.setTrack(1, 0, 127, {1});
    rig.pattern.setTrack(2, 3, 100, {1});
    rig.pattern.setTrack(3, 7, 90, {2});
    ASSERT_TRUE(rig.startPlaylist({model::Playlist::separator()}, true));
    // While step 1 sounds: track 1 cleared, track 2 another sound, track 3
    // set on step 1 too.
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.pattern.setHit(1, 1, false);
    rig.pattern.setInstrument(2, 46);
    rig.pattern.setHit(1, 3, true);
    ASSERT_TRUE(rig.finish());

    Sent sent;
    sent.hit(0, 0x23, 0x7f).hit(0, 0x26, 0x64).release(499, 0x23).release(499, 0x26);
    sent.hit(499, 0x2a, 0x5a).release(998, 0x2a);
    EXPECT_EQ(rig.recorder->lines(), sent.lines);
}

TEST(PlayAlongPlaylist, StopAndDestructionSilenceEverythingAtOnce) {
    AlongRig rig;
    rig.player.setStrumDelay(100);
    rig.player.setHoldTime(1000);
    for (int step = 1; step <= 16; ++step)
        rig.pattern.setTrack(1, 0, 127, {step});
    const std::vector<model::Chord> playlist = {chord("0 2 2 1 0 0"), chord("x 0 2 2 2 0"),
                                                chord("x x 0 2 3 2")};
    ASSERT_TRUE(rig.startPlaylist(playlist, true));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.elapsedMs() >= 1497; }));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.clock.advance(std::chrono::milliseconds(50));
    EXPECT_TRUE(rig.player.isPlaying());
    rig.along->stop();
    ASSERT_TRUE(rig.finish());

    Sent sent;
    sent.hit(0, 0x23, 0x7f).on(0, 0x28).on(49, 0x2f).on(98, 0x34).on(147, 0x38).on(196, 0x3b);
    sent.on(245, 0x40).release(499, 0x23).hit(499, 0x23, 0x7f);
    sent.release(998, 0x23).hit(998, 0x23, 0x7f).release(1497, 0x23).hit(1497, 0x23, 0x7f);
    // The chord would have rung until its bar ends at 1996.
    sent.release(1547, 0x23).off(1547, {0x28, 0x2f, 0x34, 0x38, 0x3b, 0x40});
    EXPECT_EQ(rig.recorder->lines(), sent.lines);
    EXPECT_EQ(rig.reports(), (Lines{"0:0", "1547:-1", "1547:ended"}));
    EXPECT_FALSE(rig.player.isPlaying());

    // It plays again, and going away mid-strum ends it the same way.
    rig.recorder->clear();
    ASSERT_TRUE(rig.startPlaylist(playlist, true));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.along.reset();
    EXPECT_EQ(
        rig.recorder->lines(),
        Sent().hit(1547, 0x23, 0x7f).on(1547, 0x28).release(1547, 0x23).off(1547, {0x28}).lines);
    EXPECT_EQ(rig.reports().back(), "1547:ended");
    EXPECT_FALSE(rig.player.isPlaying());
}

TEST(PlayAlongScaleRun, SoundsEachPitchClassOnceUpwardFromC) {
    AlongRig rig;
    // A strum's hold does not shorten a scale note.
    rig.player.setHoldTime(50);
    ASSERT_TRUE(rig.start(sound::scaleRunScore({"B", "G", "C", "E", "C", "Db", "C2", "H", ""})));
    ASSERT_TRUE(rig.finish());
    Sent sent;
    sent.on(0, 0x30).off(499, {0x30}).on(499, 0x34).off(998, {0x34});
    sent.on(998, 0x37).off(1497, {0x37}).on(1497, 0x3b).off(1996, {0x3b});
    EXPECT_EQ(rig.recorder->lines(), sent.lines) << "each note to the end of its step";
    EXPECT_EQ(rig.reports(), (Lines{"0:0", "499:1", "998:2", "1497:3", "1996:-1", "1996:ended"}));

    // Nothing to play: refused, and the player stays free.
    EXPECT_FALSE(rig.start(sound::scaleRunScore({"H", "C2", "Db"})));
    EXPECT_FALSE(rig.startPlaylist({}, true));
    EXPECT_FALSE(rig.player.isPlaying());
    EXPECT_EQ(rig.reports().size(), 6u);
}

TEST(Metronome, EveryMetreClicksItsBeatsWithTheFirstAccented) {
    struct Expected {
        const char* metre;
        int beats;
        int subdivided; // clicks a bar with subdivisions
    };
    // Compound metres click their dotted beats and split them in three; 7/8
    // has no even beat to dot and clicks its eighths.
    const Expected metres[] = {{"2/4", 2, 4}, {"3/4", 3, 6},  {"4/4", 4, 8}, {"5/4", 5, 10},
                               {"6/8", 2, 6}, {"7/8", 7, 14}, {"9/8", 3, 9}, {"12/8", 4, 12}};
    for (const Expected& expected : metres) {
        SCOPED_TRACE(expected.metre);
        sound::Metronome metronome;
        metronome.metre = *model::parseMetre(expected.metre);
        const std::vector<sound::Click> plain = sound::barClicks(metronome);
        ASSERT_EQ(plain.size(), std::size_t(expected.beats));
        EXPECT_EQ(plain[0].kind, sound::ClickKind::Accent);
        for (std::size_t beat = 1; beat < plain.size(); ++beat) {
            EXPECT_EQ(plain[beat].kind, sound::ClickKind::Beat);
            EXPECT_EQ(plain[beat].beat, double(beat));
        }
        metronome.subdivide = true;
        EXPECT_EQ(sound::barClicks(metronome).size(), std::size_t(expected.subdivided));
    }
    EXPECT_EQ(model::kMetronomeMetres.size(), 8u);
    EXPECT_FALSE(model::parseMetre("4/3"));
    EXPECT_FALSE(model::parseMetre("waltz"));
    EXPECT_EQ(model::parseMetre(" 12 / 8 ")->text(), "12/8");
}

// 6/8 at 200 dotted beats a minute: steps of 75 ms, beats of 300, the eighths
// between them at 100 and 200 ms, each released at the end of its step.
TEST(Metronome, ACompoundBarClicksItsEighthsBetweenTheStepsOfTheGrid) {
    AlongRig rig;
    sound::Score score;
    score.entries = {{}};
    score.stepsPerEntry = 8;
    score.stepLength = [] { return std::chrono::milliseconds(75); };
    score.metronome = sound::Metronome{};
    score.metronome->metre = {6, 8};
    score.metronome->subdivide = true;
    score.metronome->sounds.volume = 50;
    ASSERT_TRUE(rig.start(score));
    ASSERT_TRUE(rig.finish());
    Sent sent;
    sent.hit(0, 0x4c, 63).release(75, 0x4c).hit(100, 0x4d, 32).release(150, 0x4d);
    sent.hit(200, 0x4d, 32).release(225, 0x4d).hit(300, 0x4d, 48).release(375, 0x4d);
    sent.hit(400, 0x4d, 32).release(450, 0x4d).hit(500, 0x4d, 32).release(525, 0x4d);
    EXPECT_EQ(rig.recorder->lines(), sent.lines) << "at half the volume";
}

TEST(Metronome, TheCountInClicksABarBeforeTheFirstChordAndHit) {
    AlongRig rig;
    rig.pattern.setTrack(1, 0, 127, {1});
    model::Playlist playlist;
    playlist.append(chord("x x x x x 0"));
    sound::Score score = sound::playlistScore(playlist, rig.pattern, true);
    score.metronome = sound::Metronome{};
    score.metronome->countInBars = 1;
    ASSERT_TRUE(rig.start(score));
    ASSERT_TRUE(rig.finish());
    // 120 on the Drummer page: 499 ms steps, a beat of four of them.
    Sent sent;
    sent.hit(0, 0x4c, 0x7f).release(499, 0x4c);
    for (long beat : {1996L, 3992L, 5988L})
        sent.hit(beat, 0x4d, 0x60).release(beat + 499, 0x4d);
    // The bar proper: the pattern's first step, its click and the chord at once.
    sent.hit(7984, 0x23, 0x7f).hit(7984, 0x4c, 0x7f).on(7984, 0x40);
    sent.release(8483, 0x23).release(8483, 0x4c).off(9980, {0x40});
    EXPECT_EQ(rig.recorder->lines(), sent.lines);
    EXPECT_EQ(rig.reports(), (Lines{"0:count 4", "1996:count 3", "3992:count 2", "5988:count 1",
                                    "7984:0", "9980:-1", "9980:ended"}));

    // Clicks off: the count-in alone, then the chord without a click.
    rig.recorder->clear();
    score.metronome->clicks = false;
    score.drums = nullptr;
    ASSERT_TRUE(rig.start(score));
    ASSERT_TRUE(rig.clock.runUntil([&] { return !rig.along->isPlaying(); }));
    const Lines lines = rig.recorder->lines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[8], "17964 c0 00 00") << "the chord where the count-in ends";
    EXPECT_EQ(lines[10], "19960 80 40 00") << "no click in its bar";
}

// A loop of one bar of clicks that starts at 60 and rises by 60 every pass to
// 120, where it holds; each rise falls where a pass begins.
TEST(Metronome, TheSpeedTrainerRaisesTheTempoOnLoopBoundariesAndHolds) {
    AlongRig rig;
    sound::Metronome metronome;
    sound::Score score = sound::metronomeScore(metronome, 200);
    score.speed = sound::SpeedSteps{60, 60, 1, 120};
    ASSERT_TRUE(rig.start(score));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.elapsedMs() >= 6500; }));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.clock.advance(std::chrono::milliseconds(50));
    rig.along->stop();
    ASSERT_TRUE(rig.finish());

    Sent sent;
    sent.hit(0, 0x4c, 0x7f).release(250, 0x4c);
    for (long beat : {1000L, 2000L, 3000L})
        sent.hit(beat, 0x4d, 0x60).release(beat + 250, 0x4d);
    sent.hit(4000, 0x4c, 0x7f).release(4125, 0x4c);
    for (long beat : {4500L, 5000L, 5500L})
        sent.hit(beat, 0x4d, 0x60).release(beat + 125, 0x4d);
    sent.hit(6000, 0x4c, 0x7f).release(6125, 0x4c).hit(6500, 0x4d, 0x60).release(6550, 0x4d);
    EXPECT_EQ(rig.recorder->lines(), sent.lines);
    EXPECT_EQ(rig.reports(), (Lines{"0:60 bpm", "0:0", "4000:120 bpm", "4000:pass 1", "4000:0",
                                    "6000:pass 2", "6000:0", "6550:-1", "6550:ended"}));

    sound::SpeedSteps slower{100, -15, 3, 60};
    EXPECT_EQ(slower.tempoOfPass(0), 100);
    EXPECT_EQ(slower.tempoOfPass(3), 85);
    EXPECT_EQ(slower.tempoOfPass(30), 60) << "holds at its target going down too";
}

// Entries 1..2 of four over and over: each pass starts at entry 1.
TEST(Metronome, ALoopPlaysItsRangeOverAndOver) {
    AlongRig rig;
    sound::Score score;
    score.entries = {{"E1"}, {"A1"}, {"D2"}, {"G2"}};
    score.stepsPerEntry = 1;
    score.holdToEntryEnd = true;
    score.stepLength = [] { return std::chrono::milliseconds(100); };
    score.loop = sound::LoopRange{1, 2};
    ASSERT_TRUE(rig.start(score));
    ASSERT_TRUE(rig.clock.runUntil([&] { return rig.elapsedMs() >= 500; }));
    ASSERT_TRUE(rig.clock.waitForSleepers(1));
    rig.along->stop();
    ASSERT_TRUE(rig.finish());
    EXPECT_EQ(rig.reports(), (Lines{"0:1", "100:2", "200:pass 1", "200:1", "300:2", "400:pass 2",
                                    "400:1", "500:2", "500:-1", "500:ended"}));
    EXPECT_EQ(rig.recorder->lines().front(), "0 c0 00 00");
    EXPECT_EQ(rig.recorder->lines()[1], "0 90 2d 7f") << "A1 first, never E1";
}

TEST(Metronome, TapTempoAveragesTheLastFourTapsAndStartsAfreshAfterAPause) {
    sound::TapTempo taps;
    const sound::Clock::TimePoint start{};
    const auto at = [&](int ms) { return start + std::chrono::milliseconds(ms); };
    EXPECT_FALSE(taps.tap(at(0))) << "one tap is no tempo";
    EXPECT_EQ(taps.tap(at(500)), 120);
    EXPECT_EQ(taps.tap(at(1100)), 109) << "550 ms on average";
    EXPECT_EQ(taps.tap(at(1500)), 120);
    // The first tap drops out: 600 + 400 + 500 ms.
    EXPECT_EQ(taps.tap(at(2000)), 120);
    EXPECT_EQ(taps.tap(at(2400)), 138) << "400, 500 and 400 ms";
    // Two seconds and more without a tap: the next one begins anew.
    EXPECT_FALSE(taps.tap(at(4500)));
    EXPECT_EQ(taps.tap(at(5250)), 80);
}
