#include "model/tuning_notes.h"
#include "sound/chord_hearing.h"
#include "support/strum_trials.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace strumvale::test {
namespace {

using sound::StringFinding;
using Kind = StringFinding::Kind;
using Notes = std::vector<std::optional<int>>;

Notes notesOf(const sound::ExpectedStrum& strum) {
    return {strum.notes.begin(), strum.notes.end()};
}

sound::ExpectedStrum expect(const char* tab,
                            std::string_view tuning = model::kStandardTuningNotes) {
    return *sound::expectedStrum(tab, tuning);
}

std::string missesOf(const TrialTally& tally) {
    std::string text;
    for (const std::string& miss : tally.misses)
        text += miss + "\n";
    return text;
}

// Open and barre chords, each from another guitar at another strum speed,
// fingered right and then with each string's fault in turn. The whole
// matrix, every chord by every guitar, is measured by the benchmark.
TEST(ChordHearing, RightChordsAreRightAndNoFaultyOneIs) {
    const TrialChord chords[] = {kTrialChords[0],  kTrialChords[2],  kTrialChords[4],
                                 kTrialChords[5],  kTrialChords[8],  kTrialChords[15],
                                 kTrialChords[18], kTrialChords[19], kTrialChords[23]};
    const GuitarSource sources[] = {GuitarSource::Plucked, GuitarSource::Nylon,
                                    GuitarSource::Steel};
    const double spreads[] = {10, 35, 60};
    std::vector<StrumTrial> trials;
    for (std::size_t i = 0; i < std::size(chords); ++i)
        trials.push_back({chords[i], sources[i % 3], spreads[i / 3]});
    const TrialTally tally = runStrumTrials(trials);
    if (tally.unrecorded > 0)
        GTEST_SKIP() << "no sound font for the synthesizer's guitars";
    EXPECT_EQ(tally.rightCalledRight, tally.right) << missesOf(tally);
    EXPECT_EQ(tally.faultyCalledRight, 0) << missesOf(tally);
    EXPECT_EQ(tally.noStrum, 0) << missesOf(tally);
    EXPECT_GE(tally.placedShare(), 0.9) << missesOf(tally);
    EXPECT_GT(tally.faulty, 60);
}

// The drill's metronome from the speakers: a click up to a quarter second
// before the strum is not its attack, and one while it rings changes nothing.
TEST(ChordHearing, AMetronomeClickingAlongIsNoStrumAndHidesNoFault) {
    const sound::ExpectedStrum c = expect("x 3 2 0 1 0");
    Notes choked = notesOf(c);
    choked[3].reset();
    for (double before = 0.05; before <= 0.25; before += 0.05) {
        for (const double levelDb : {-12.0, 0.0}) {
            std::vector<float> right = pluckedStrum(notesOf(c), {});
            std::vector<float> wrong = pluckedStrum(choked, {});
            if (!addClicks(right, 0.75, kLeadSeconds - before, levelDb) ||
                !addClicks(wrong, 0.75, kLeadSeconds - before, levelDb))
                GTEST_SKIP() << "no sound font for the synthesizer's wood blocks";
            const std::string when = std::to_string(int(before * 1000)) + " ms before, at " +
                                     std::to_string(int(levelDb)) + " dB";
            const auto heardRight = sound::checkStrum(right, kStrumRate, c);
            ASSERT_TRUE(heardRight) << when;
            EXPECT_TRUE(heardRight->right) << when << ": " << describeVerdict(*heardRight);
            const auto heardWrong = sound::checkStrum(wrong, kStrumRate, c);
            ASSERT_TRUE(heardWrong) << when;
            EXPECT_EQ(heardWrong->strings[3].kind, Kind::Missing)
                << when << ": " << describeVerdict(*heardWrong);
        }
    }
}

TEST(ChordHearing, EachFindingNamesTheStringAndWhatRangInstead) {
    // C with string 5 a fret sharp: C#3 in place of C3.
    const sound::ExpectedStrum c = expect("x 3 2 0 1 0");
    Notes played = notesOf(c);
    *played[1] += 1;
    auto verdict = sound::checkStrum(pluckedStrum(played, {}), kStrumRate, c);
    ASSERT_TRUE(verdict);
    EXPECT_FALSE(verdict->right);
    EXPECT_EQ(verdict->strings[1].string, 5);
    EXPECT_EQ(verdict->strings[1].kind, Kind::WrongNote);
    EXPECT_EQ(verdict->strings[1].expected, 48);
    EXPECT_EQ(verdict->strings[1].heard, 49);
    EXPECT_EQ(verdict->strings[0].kind, Kind::MutedAsExpected);

    // D with the low E ringing: a bass two octaves under the top string's E.
    const sound::ExpectedStrum d = expect("x x 0 2 3 2");
    played = notesOf(d);
    played[0] = d.open[0];
    verdict = sound::checkStrum(pluckedStrum(played, {}), kStrumRate, d);
    ASSERT_TRUE(verdict);
    EXPECT_FALSE(verdict->right);
    EXPECT_EQ(verdict->strings[0].kind, Kind::RingsMuted);
    EXPECT_EQ(verdict->strings[0].heard, 40);
    EXPECT_EQ(verdict->strings[1].kind, Kind::MutedAsExpected);
}

TEST(ChordHearing, AStringOthersCoverEntirelyCannotBeToldAndIsNoFault) {
    // In E the top string's E4 is the fourth partial of the low E and the
    // second of the D string's E3: every partial of it rings without it.
    const sound::ExpectedStrum e = expect("0 2 2 1 0 0");
    Notes played = notesOf(e);
    played[5].reset();
    const auto verdict = sound::checkStrum(pluckedStrum(played, {}), kStrumRate, e);
    ASSERT_TRUE(verdict);
    EXPECT_EQ(verdict->strings[5].kind, Kind::CannotTell);
    EXPECT_TRUE(verdict->right) << describeVerdict(*verdict);
}

TEST(ChordHearing, StringsWithinTenCentsAreInTuneAndEachTuningIsHeardInItsOwnNotes) {
    StrumStyle style;
    style.detuneCents = 10;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        style.seed = seed;
        const sound::ExpectedStrum g = expect("3 2 0 0 0 3");
        const auto verdict = sound::checkStrum(pluckedStrum(notesOf(g), style), kStrumRate, g);
        ASSERT_TRUE(verdict);
        EXPECT_TRUE(verdict->right) << describeVerdict(*verdict);
    }
    // D played in Drop D: right there, and its low D is no E of standard tuning.
    const std::string_view dropD = "D1,A1,D2,G2,B2,E3";
    const sound::ExpectedStrum inDropD = expect("0 0 0 2 3 2", dropD);
    const std::vector<float> audio = pluckedStrum(notesOf(inDropD), {});
    const auto heardInDropD = sound::checkStrum(audio, kStrumRate, inDropD);
    ASSERT_TRUE(heardInDropD);
    EXPECT_TRUE(heardInDropD->right) << describeVerdict(*heardInDropD);
    const auto heardInStandard = sound::checkStrum(audio, kStrumRate, expect("0 0 0 2 3 2"));
    ASSERT_TRUE(heardInStandard);
    EXPECT_FALSE(heardInStandard->right);
    EXPECT_EQ(heardInStandard->strings[0].kind, Kind::WrongNote);
    EXPECT_EQ(heardInStandard->strings[0].heard, 38);
}

TEST(ChordHearing, WithoutAFingeringTheNotesThatRingAreHeardBassAndAll) {
    // An octave above another string's note adds nothing of its own to hear:
    // what is heard is each of the chord's notes once, its bass the lowest.
    const std::pair<const char*, std::vector<int>> chords[] = {
        {"3 2 0 0 0 3", {43, 47, 50}},     // G: G2 B2 D3 (G3 B3 G4 doubled)
        {"x 3 2 0 1 0", {48, 52, 55}},     // C: C3 E3 G3 (C4 E4)
        {"x x 0 2 3 2", {50, 57, 66}},     // D: D3 A3 F#4 (D4)
        {"x 0 2 0 2 0", {45, 52, 55, 61}}, // A7: A2 E3 G3 C#4 (E4)
    };
    for (const auto& [tab, notes] : chords) {
        const sound::ExpectedStrum strum = expect(tab);
        const auto heard = sound::hearStrum(pluckedStrum(notesOf(strum), {}), kStrumRate);
        ASSERT_TRUE(heard) << tab;
        EXPECT_EQ(heard->notes, notes) << tab;
        EXPECT_NEAR(heard->attack, kLeadSeconds, 0.01);
    }
}

TEST(ChordHearing, SilenceSpeechAKnockASingleNoteOrBrokenInputAreNoStrum) {
    const sound::ExpectedStrum c = expect("x 3 2 0 1 0");
    std::vector<float> room(std::size_t(1.5 * kStrumRate), 0.0f);
    std::vector<float> silence = room;
    addRoom(room, -60, 3);
    for (float& sample : room)
        sample += 0.001f;
    Notes single(6);
    single[3] = 55;
    std::vector<float> broken = pluckedStrum(notesOf(c), {});
    for (std::size_t i = 0; i < broken.size(); i += 7)
        broken[i] = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> cut = pluckedStrum(notesOf(c), {});
    cut.resize(std::size_t((kLeadSeconds + 0.05) * kStrumRate));
    const std::pair<const char*, std::vector<float>> recordings[] = {
        {"silence", silence},
        {"room noise", room},
        {"speech", speech(1)},
        {"speech", speech(2)},
        {"knock", knock(1)},
        {"knock", knock(2)},
        {"one string", pluckedStrum(single, {})},
        {"nothing", {}},
        {"cut before it rings", cut},
    };
    for (const auto& [what, audio] : recordings) {
        EXPECT_FALSE(sound::hearStrum(audio, kStrumRate)) << what;
        EXPECT_FALSE(sound::checkStrum(audio, kStrumRate, c)) << what;
    }
    // Damaged samples are no sound, and the rest of the strum still tells.
    const auto verdict = sound::checkStrum(broken, kStrumRate, c);
    ASSERT_TRUE(verdict);
    EXPECT_TRUE(verdict->right) << describeVerdict(*verdict);
}

TEST(ChordHearing, NoExpectationForWhatIsNoFingering) {
    EXPECT_FALSE(sound::expectedStrum("x 3 q 0 1 0", model::kStandardTuningNotes));
    EXPECT_FALSE(sound::expectedStrum("x 3 2 0 1 0", "E1,A1,D2,G2,B2,H3"));
    const auto c = sound::expectedStrum("x 3 2 0 1 0", model::kStandardTuningNotes);
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->notes[0]);
    EXPECT_EQ(c->notes[1], 48);
    EXPECT_EQ(c->open[0], 40);
}

} // namespace
} // namespace strumvale::test
