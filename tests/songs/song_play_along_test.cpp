#include "formats/song_file.h"
#include "practice/click_along.h"
#include "song_window_rig.h"
#include "songs/song_practice_row.h"
#include "songs/song_sheet_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace strumvale::test {
namespace {

using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

// The song window playing along, on the virtual clock: every beat exact.
class SongPlayTest : public ::testing::Test, protected SongWindowRig {
protected:
    void show(const std::string& text) {
        window->showSongs(formats::readSongs(text), QStringLiteral("song.cho"));
        window->resize(600, 400);
        window->show();
        QApplication::processEvents();
    }
    QPushButton* play() const { return window->findChild<QPushButton*>("play"); }
    void advanceTo(int ms) {
        clock.advanceTo(sound::Clock::TimePoint(milliseconds(ms)));
        ASSERT_TRUE(clock.waitForSleepers(1));
        QApplication::processEvents();
    }
    bool finish() {
        const bool done = clock.runUntil([this] { return !window->isPlaying(); });
        QApplication::processEvents();
        return done;
    }
    // "MS 90 NN" for each note struck (velocity aside), percussion too, at
    // the time it is meant to sound.
    Lines struck() {
        Lines result;
        for (const std::string& line : recorder->meantLines()) {
            const std::string meant = line.substr(line.find('>') + 1);
            const std::string status = meant.substr(meant.find(' ') + 1, 2);
            const bool on = (status == "90" || status == "99") && !meant.ends_with(" 00");
            if (on)
                result.push_back(meant.substr(0, meant.rfind(' ')));
        }
        return result;
    }
    // Notes struck and not yet released.
    std::map<std::string, int> sounding() {
        std::map<std::string, int> notes;
        for (const std::string& line : recorder->lines()) {
            const std::string message = line.substr(line.find(' ') + 1);
            const std::string status = message.substr(0, 2);
            const std::string note = message.substr(3, 2);
            if (status == "90" && !message.ends_with(" 00"))
                ++notes[note];
            else if (status == "80" || (status == "90" && message.ends_with(" 00")))
                --notes[note];
        }
        std::erase_if(notes, [](const auto& note) { return note.second <= 0; });
        return notes;
    }
};

TEST_F(SongPlayTest, EachChordSoundsABarOfTheSongsTimeAtItsTempoAndIsMarkedWhileItSounds) {
    // 3/4 at 120: a chord every 1500 ms; an unknown chord is a bar of rest.
    show("{tempo: 120}\n{time: 3/4}\n[C]Vin[G]tern [Qx9]ra[C]sat\n");
    EXPECT_EQ(window->beatsPerChord(), 3);
    play()->click();
    EXPECT_EQ(play()->text(), "Stop");
    ASSERT_TRUE(clock.waitForSleepers(1));
    advanceTo(100);
    EXPECT_EQ(window->sheetView().markedChord(), 0);
    advanceTo(1600);
    EXPECT_EQ(window->sheetView().markedChord(), 1);
    advanceTo(3100);
    EXPECT_EQ(window->sheetView().markedChord(), 2) << "a rest is marked too";
    ASSERT_TRUE(finish());
    EXPECT_EQ(play()->text(), "Play");
    EXPECT_FALSE(window->sheetView().markedChord());
    // The low string of each chord on its beat: C at 0, G at 1500, C at 4500.
    Lines roots;
    for (const std::string& line : struck()) {
        if (line.ends_with(" 30") || line.ends_with(" 2b"))
            roots.push_back(line);
    }
    EXPECT_EQ(roots, (Lines{"0 90 30", "1500 90 2b", "4500 90 30"}));
    EXPECT_TRUE(sounding().empty()) << "every note released at the end";
}

TEST_F(SongPlayTest, BeatsPerChordTheCapoAndTheDrummersPatternAreWhatPlays) {
    // No tempo in the song: the Drummer page's 480 steps, 120 beats a minute.
    show("[G]la [C]la\n");
    window->findChild<QComboBox*>("beatsPerChord")->setCurrentIndex(0);
    window->findChild<QSpinBox*>("capo")->setValue(2);
    host.drumsLoaded = true;
    host.drums.bpm = 480;
    for (int step = 0; step < sound::kDrumSteps; step += 4)
        host.drums.hits[step][0] = true;
    play()->click();
    ASSERT_TRUE(finish());
    const Lines notes = struck();
    // A beat each: G's shape is now F behind the capo, sounding G (2b); C's
    // shape Bb sounding C (30) at 500 ms.
    EXPECT_NE(std::find(notes.begin(), notes.end(), "0 90 2b"), notes.end());
    EXPECT_NE(std::find(notes.begin(), notes.end(), "500 90 30"), notes.end());
    // The pattern's hit on each beat, on the same clock.
    Lines drums;
    for (const std::string& line : notes) {
        if (line.find(" 99 ") != std::string::npos)
            drums.push_back(line.substr(0, line.find(' ')));
    }
    EXPECT_EQ(drums, (Lines{"0", "500"}));
}

TEST_F(SongPlayTest, StopEndsAtOnceWithEveryNoteReleasedAndTheSoundingChordKeptInView) {
    std::string text = "{tempo: 240}\n";
    for (int line = 0; line < 60; ++line)
        text += "[C]la la la la [G]la la la la\n";
    show(text);
    window->findChild<QComboBox*>("beatsPerChord")->setCurrentIndex(0);
    play()->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    // Chord 90 of 120, far below the window's first page.
    for (int chord = 0; chord <= 90; ++chord)
        advanceTo(chord * 250 + 100);
    ASSERT_EQ(window->sheetView().markedChord(), 90);
    const QRect chord = window->sheetView().chordRect(90);
    EXPECT_TRUE(window->sheetView().visibleRegion().boundingRect().contains(chord))
        << "scrolled to the chord that sounds";
    EXPECT_FALSE(sounding().empty());
    play()->click();
    ASSERT_TRUE(finish());
    EXPECT_TRUE(sounding().empty());
    EXPECT_EQ(play()->text(), "Play");
    for (const std::string& line : struck())
        EXPECT_LE(std::stoi(line), 90 * 250 + 100) << "played on after Stop: " << line;
}

TEST_F(SongPlayTest, PlayWaitsForWhatElseSoundsAndAnotherSongStopsThisOne) {
    show("[C]la\n");
    library.Settings.Chorddecay = 5000;
    library.ChordPlayer.setHoldTime(5000);
    library.ChordPlayer.strum(model::Chord("G", "G", "3 2 0 0 0 3"), model::Tuning::standard());
    play()->click();
    EXPECT_EQ(host.refusals, QStringList{"Error"});
    EXPECT_FALSE(window->isPlaying());
    ASSERT_TRUE(clock.runUntil([this] { return !library.ChordPlayer.isPlaying(); }));

    library.Settings.Chorddecay = 500;
    play()->click();
    ASSERT_TRUE(window->isPlaying());
    show("[G]other\n");
    EXPECT_FALSE(window->isPlaying());
    EXPECT_TRUE(sounding().empty());
}

} // namespace
} // namespace strumvale::test

namespace strumvale::test {
namespace {

class SongPracticeTest : public SongPlayTest {};

// 3/4 at 120 counted in a bar: clicks at 0, 500 and 1000 ms, then the first
// chord with the bar's accent at 1500; the second line played over and over.
TEST_F(SongPracticeTest, TheSongIsCountedInInItsMetreAndALoopRepeatsItsLines) {
    show("{tempo: 120}\n{time: 3/4}\n[C]Vin[G]ter\n[D]rasat [C]ute\n[G]sist\n");
    songs::SongPracticeRow& row = window->practiceRow();
    row.click().countInBox().setCurrentIndex(1);
    row.click().clickBox().setChecked(true);
    row.loop().loopBox().setChecked(true);
    row.loop().fromBox().setValue(2);
    row.loop().toBox().setValue(2);
    play()->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    advanceTo(5400);
    play()->click();
    ASSERT_TRUE(finish());
    Lines clicks, roots;
    for (const std::string& line : struck()) {
        if (line.find(" 99 4") != std::string::npos)
            clicks.push_back(line);
        else if (line.ends_with(" 32") || line.ends_with(" 30"))
            roots.push_back(line);
    }
    ASSERT_GE(clicks.size(), 5u) << ::testing::PrintToString(struck());
    ASSERT_GE(roots.size(), 3u) << ::testing::PrintToString(struck());
    EXPECT_EQ(Lines(clicks.begin(), clicks.begin() + 5),
              (Lines{"0 99 4c", "500 99 4d", "1000 99 4d", "1500 99 4c", "2000 99 4d"}));
    // D (32) and C (30), a bar each from 1500, then D again: line 2 alone.
    EXPECT_EQ(Lines(roots.begin(), roots.begin() + 3),
              (Lines{"1500 90 32", "3000 90 30", "4500 90 32"}));
    EXPECT_EQ(library.Settings.Countinbars, 1) << "kept for the next time";
}

// A line clicked in the sheet loops alone; Shift and a click stretch the loop
// to another line, and the sheet shades what loops.
TEST_F(SongPracticeTest, LinesClickedInTheSheetAreTheLoop) {
    show("{tempo: 120}\n{time: 3/4}\n[C]Vin[G]ter\n[D]rasat [C]ute\n[G]sist\n");
    songs::SongPracticeRow& row = window->practiceRow();
    songs::SongSheetView& sheet = window->sheetView();
    ASSERT_EQ(sheet.lineCount(), 3);
    EXPECT_TRUE(row.loop().loopBox().toolTip().startsWith("Click a line of the sheet"));
    QTest::mouseClick(&sheet, Qt::LeftButton, {}, sheet.lineRect(1).center());
    EXPECT_TRUE(row.loop().loopBox().isChecked());
    EXPECT_EQ(row.loop().fromBox().value(), 2);
    EXPECT_EQ(row.loop().toBox().value(), 2);
    QTest::mouseClick(&sheet, Qt::LeftButton, Qt::ShiftModifier, sheet.lineRect(2).center());
    EXPECT_EQ(row.loop().fromBox().value(), 2);
    EXPECT_EQ(row.loop().toBox().value(), 3);

    QImage image(sheet.size(), QImage::Format_RGB32);
    sheet.render(&image);
    const int x = songs::SheetColumnView::kMargin / 2 + 1;
    EXPECT_EQ(image.pixelColor(x, sheet.lineRect(0).center().y()), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(x, sheet.lineRect(1).center().y()), sheet.loopColour());
    EXPECT_EQ(image.pixelColor(x, sheet.lineRect(2).center().y()), sheet.loopColour());
    // Shift towards an earlier line turns the range round from the line first picked.
    QTest::mouseClick(&sheet, Qt::LeftButton, Qt::ShiftModifier, sheet.lineRect(0).center());
    EXPECT_EQ(row.loop().fromBox().value(), 1);
    EXPECT_EQ(row.loop().toBox().value(), 2);
    QTest::mouseClick(&sheet, Qt::LeftButton, Qt::ShiftModifier, sheet.lineRect(2).center());

    // Played: D, C and G of lines 2 and 3, a bar each, then D again.
    play()->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    advanceTo(4600);
    play()->click();
    ASSERT_TRUE(finish());
    Lines roots; // each strum's first string, on the bar
    for (const std::string& line : struck())
        if (std::stoi(line) % 1500 == 0)
            roots.push_back(line);
    EXPECT_EQ(roots, (Lines{"0 90 32", "1500 90 30", "3000 90 2b", "4500 90 32"}));

    // Unticked, the shading goes.
    row.loop().loopBox().setChecked(false);
    EXPECT_FALSE(sheet.loopLines());
}

} // namespace
} // namespace strumvale::test
