#include "fretboard/fretboard_view.h"
#include "fretboard/staff_view.h"
#include "model/playlist.h"
#include "page_rig.h"
#include "pages/editor_page.h"
#include "pages/playlist_page.h"
#include "practice/click_along.h"
#include "practice/speed_controls.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/playlist_page.h"
#include "uikit/dialog_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace strumvale::test {
namespace {

using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

const model::Chord kC("C", "C", "x 3 2 0 1 0");
const model::Chord kAm("A", "Am", "x 0 2 2 1 0");

// A library whose player sounds into a recorder on a virtual clock, with a
// strum delay of 100 ms and a decay of 500 ms; 120 bpm makes a step 499 ms
// and a bar 1996 ms.
class PlayAlongPagesTest : public ::testing::Test, protected ClockedLibrary {
protected:
    PlayAlongPagesTest() {
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        library.Chords.Add(kC);
        library.Chords.Add(kAm);
        model::Scale triad;
        triad.Name = "Triad";
        triad.setIntervals("1,3,5");
        triad.setNotes("G,C,E");
        library.Scales.Add(triad);
        library.ChordPlayer.setup(0, 0, 0, 127);
        library.Settings.Chordspeed = 100;
        library.Settings.Chorddecay = 500;
    }

    // Note and drum messages only, as "MS SS D1 D2"; program changes aside.
    Lines sounds() {
        Lines result;
        for (const std::string& line : recorder->lines()) {
            const std::string status = line.substr(line.find(' ') + 1, 2);
            if (status != "c0")
                result.push_back(line);
        }
        return result;
    }
    // Lets every sleeper run to its end, then the window take the reports.
    bool finish(const std::function<bool()>& idle) {
        const bool done = clock.runUntil(idle);
        QApplication::processEvents();
        return done;
    }
    void advanceTo(int ms) {
        clock.advanceTo(sound::Clock::TimePoint(milliseconds(ms)));
        ASSERT_TRUE(clock.waitForSleepers(1));
        QApplication::processEvents();
    }
};

class PlaylistPlayTest : public PlayAlongPagesTest {
protected:
    using Id = resources::PlaylistId;

    PlaylistPlayTest() { page = std::make_unique<pages::PlaylistPage>(host); }
    ~PlaylistPlayTest() override { page.reset(); }

    QPushButton* play() { return uikit::control<QPushButton>(*page, Id::Play); }
    void addSeparator() { uikit::control<QPushButton>(*page, Id::AddSeparator)->click(); }
    int markedColumn() {
        // What the user sees: the mark drawn under the staff, if any.
        QImage image(page->staffView().size(), QImage::Format_RGB32);
        page->staffView().render(&image);
        for (const auto& label : page->staffView().drawnLabels()) {
            if (label.kind == fretboard::DrawnLabel::Kind::PlayingMark)
                return (label.box.center().x() - 10) / 20;
        }
        return -1;
    }
    bool finish() {
        return PlayAlongPagesTest::finish([this] { return !page->isPlaying(); });
    }

    std::unique_ptr<pages::PlaylistPage> page;
};

TEST_F(PlaylistPlayTest, PlayNeedsAChordAndReadsStopWhilePlaying) {
    EXPECT_FALSE(play()->isEnabled());
    addSeparator();
    EXPECT_FALSE(play()->isEnabled()) << "a separator alone is nothing to play";
    page->addChord(kC);
    EXPECT_TRUE(play()->isEnabled());
    EXPECT_EQ(play()->text(), "Play");

    play()->click();
    EXPECT_EQ(play()->text(), "Stop");
    EXPECT_TRUE(library.ChordPlayer.isPlaying());
    // The program's playing rules hold: no strum starts meanwhile.
    library.ChordPlayer.strum(kAm, model::Tuning::standard());
    ASSERT_TRUE(finish());
    EXPECT_EQ(play()->text(), "Play");
    EXPECT_FALSE(library.ChordPlayer.isPlaying());
    for (const std::string& line : sounds())
        EXPECT_EQ(line.find("90 2d"), std::string::npos) << "the refused Am sounded: " << line;
}

TEST_F(PlaylistPlayTest, PlayWhileSomethingElsePlaysSaysSoAndStartsNothing) {
    page->addChord(kC);
    // The Drummer page's pattern, or a strum, holds the player.
    library.Settings.Chorddecay = 5000;
    library.ChordPlayer.setHoldTime(5000);
    library.ChordPlayer.strum(kAm, model::Tuning::standard());
    ASSERT_TRUE(library.ChordPlayer.isPlaying());
    play()->click();
    EXPECT_EQ(host.refusals, QStringList{"Error"});
    EXPECT_FALSE(page->isPlaying());
    EXPECT_EQ(play()->text(), "Play");
    ASSERT_TRUE(PlayAlongPagesTest::finish([this] { return !library.ChordPlayer.isPlaying(); }));
    for (const std::string& line : sounds())
        EXPECT_EQ(line.find("90 30"), std::string::npos) << "the playlist's C sounded: " << line;

    // Once it is quiet, Play plays.
    play()->click();
    EXPECT_TRUE(page->isPlaying());
    EXPECT_EQ(host.refusals.size(), 1);
    ASSERT_TRUE(finish());
}

TEST_F(PlaylistPlayTest, AnEntryHandedOverFromAnotherTuningSoundsInIt) {
    // G as the Chords and Tabs page moves it to drop D.
    page->addChord({"G", "G - Drop D", "5 2 0 0 0 3"}, "D1,A1,D2,G2,B2,E3");
    play()->click();
    ASSERT_TRUE(finish());
    Lines struck;
    for (const std::string& line : sounds()) {
        if (line.find(" 90 ") != std::string::npos)
            struck.push_back(line.substr(line.find(' ') + 1));
    }
    // G1 B1 D2 G2 B2 G3, as the fretboard showed it; on standard strings the
    // low note would have been A1.
    EXPECT_EQ(struck,
              (Lines{"90 2b 7f", "90 2f 7f", "90 32 7f", "90 37 7f", "90 3b 7f", "90 43 7f"}));
}

TEST_F(PlaylistPlayTest, ChordsFallOnTheirBarsAndASeparatorRests) {
    page->addChord(kC);
    addSeparator();
    page->addChord(kAm);
    play()->click();
    ASSERT_TRUE(finish());
    EXPECT_EQ(sounds(), (Lines{
                            // C at bar 1: strings 5 to 1 within an eighth of the bar
                            // (the chord speed, 100 ms, would be wider), ringing to
                            // its end.
                            "0 90 30 7f",
                            "62 90 34 7f",
                            "124 90 37 7f",
                            "186 90 3c 7f",
                            "248 90 40 7f",
                            "1996 80 30 00",
                            "1996 80 34 00",
                            "1996 80 37 00",
                            "1996 80 3c 00",
                            "1996 80 40 00",
                            // Bar 2 rests; Am at bar 3.
                            "3992 90 2d 7f",
                            "4054 90 34 7f",
                            "4116 90 39 7f",
                            "4178 90 3c 7f",
                            "4240 90 40 7f",
                            "5988 80 2d 00",
                            "5988 80 34 00",
                            "5988 80 39 00",
                            "5988 80 3c 00",
                            "5988 80 40 00",
                        }));
    // The performance lasts its three bars exactly.
    EXPECT_EQ(clock.elapsed(), milliseconds(3 * 1996));
}

TEST_F(PlaylistPlayTest, TheLoadedPatternPlaysAlongAndLoopsEverySixteenSteps) {
    host.drumsLoaded = true;
    host.drums.hits[0][0] = true; // step 1, track 1: key 35
    host.drums.hits[2][1] = true; // step 3, track 2: key 36
    page->addChord(kC);
    for (int i = 0; i < 3; ++i)
        addSeparator();
    page->addChord(kAm);
    play()->click();
    ASSERT_TRUE(finish());
    Lines drums, chordStarts;
    for (const std::string& line : sounds()) {
        if (line.find(" 99 ") != std::string::npos || line.find(" 89 ") != std::string::npos)
            drums.push_back(line);
    }
    EXPECT_EQ(drums, (Lines{"0 99 23 64", "499 89 23 00", "998 99 24 64", "1497 89 24 00",
                            // Step 17 is the pattern's step 1 again, with the fifth chord.
                            "7984 99 23 64", "8483 89 23 00", "8982 99 24 64", "9481 89 24 00"}));
    // At a bar that a chord and a hit share, the hit goes first, the chord
    // on the same moment.
    const Lines all = sounds();
    const auto hit = std::find(all.begin(), all.end(), "7984 99 23 64");
    ASSERT_NE(hit, all.end());
    ASSERT_NE(hit + 1, all.end());
    EXPECT_EQ(*(hit + 1), "7984 90 2d 7f");
}

TEST_F(PlaylistPlayTest, StopSilencesAtOnceAndTheStaffMarkFollowsThePlayingColumn) {
    host.drumsLoaded = true;
    host.drums.hits[0][0] = true;
    page->addChord(kC);
    addSeparator();
    page->addChord(kAm);
    EXPECT_EQ(markedColumn(), -1);
    play()->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    QApplication::processEvents();
    EXPECT_EQ(markedColumn(), 0);
    advanceTo(2100);
    EXPECT_EQ(markedColumn(), 1);
    advanceTo(4100);
    EXPECT_EQ(markedColumn(), 2);

    recorder->clear();
    play()->click(); // now "Stop"
    ASSERT_TRUE(finish());
    // The two Am notes struck by 4100 and nothing more: no drum sounds in
    // the bar's second step.
    EXPECT_EQ(sounds(), (Lines{"4100 80 2d 00", "4100 80 34 00"}));
    EXPECT_EQ(markedColumn(), -1);
    EXPECT_EQ(play()->text(), "Play");
    EXPECT_FALSE(library.ChordPlayer.isPlaying());
}

class EditorPlayTest : public PlayAlongPagesTest {
protected:
    using Id = resources::EditorId;

    EditorPlayTest() { page = std::make_unique<pages::EditorPage>(host); }
    ~EditorPlayTest() override { page.reset(); }

    void play() { uikit::control<QPushButton>(*page, Id::Play)->click(); }
    void select(Id list, const QString& text) {
        auto* widget = uikit::control<QListWidget>(*page, list);
        const auto found = widget->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        widget->setCurrentItem(found.front());
    }
    // Strings 1 (top) to 6, frets 0 to 12, as a user clicks the drawn neck.
    void clickFret(int string, int fret) {
        auto& view = page->fretboardView();
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.fretboardGeometry().centre(string, fret));
    }
    std::unique_ptr<pages::EditorPage> page;
};

TEST_F(EditorPlayTest, PlayStrumsTheClickedChordInStandardTuning) {
    select(Id::KeyList, "C");
    clickFret(1, 3); // the top string now at fret 3: x 3 2 0 1 3
    play();
    ASSERT_TRUE(finish([this] { return !library.ChordPlayer.isPlaying(); }));
    EXPECT_EQ(sounds(), (Lines{"0 90 30 7f", "100 90 34 7f", "200 90 37 7f", "300 90 3c 7f",
                               "400 90 43 7f", "1000 80 30 00", "1000 80 34 00", "1000 80 37 00",
                               "1000 80 3c 00", "1000 80 43 00"}));
}

TEST_F(EditorPlayTest, PlayRunsTheScaleUpwardFromCOneNoteAStep) {
    select(Id::KeyList, "Scales");
    select(Id::ItemList, "Triad");
    play();
    ASSERT_TRUE(finish([this] { return !page->isPlayingScale(); }));
    EXPECT_EQ(sounds(), (Lines{"0 90 30 7f", "499 80 30 00", "499 90 34 7f", "998 80 34 00",
                               "998 90 37 7f", "1497 80 37 00"}));
}

TEST_F(EditorPlayTest, ClickedNotesSoundOnlyWhenChosenAndTheNextCutsTheLastShort) {
    select(Id::KeyList, "C");
    clickFret(1, 3);
    ASSERT_TRUE(finish([] { return true; }));
    EXPECT_TRUE(recorder->lines().empty()) << "notes while editing is off by default";

    library.Settings.Playnoteswhileediting = true;
    clickFret(1, 5); // A3
    ASSERT_TRUE(clock.waitForSleepers(1));
    clock.advance(milliseconds(300));
    clickFret(6, 0); // E1, at once, the A3 cut off
    ASSERT_TRUE(finish([this] { return sounds().size() >= 4; }));
    EXPECT_EQ(sounds(), (Lines{"0 90 45 7f", "300 80 45 00", "300 90 28 7f", "1300 80 28 00"}));
}

} // namespace
} // namespace strumvale::test

namespace strumvale::test {
namespace {

// A bar of count-in, then entries 2 and 3 of three over and over, each a
// beat, the speed trainer taking them from 60 to 100 beats a minute.
TEST_F(PlaylistPlayTest, ACountInThenALoopOfEntriesThatTheSpeedTrainerHurries) {
    page->addChord(kC);
    page->addChord(kAm);
    page->addChord(kC);
    page->clickAlong().countInBox().setCurrentIndex(1);
    // The entry chosen in the list is where the loop starts and ends at first.
    uikit::control<QListWidget>(*page, Id::Playlist)->setCurrentRow(1);
    page->loopButton().click();
    EXPECT_EQ(page->loopAlong().fromBox().value(), 2);
    EXPECT_EQ(page->loopAlong().toBox().value(), 2);
    page->loopAlong().loopBox().setChecked(true);
    page->loopAlong().fromBox().setValue(2);
    page->loopAlong().toBox().setValue(3);
    practice::SpeedControls& speed = page->loopAlong().speedControls();
    speed.onBox().setChecked(true);
    page->findChild<QSpinBox*>("startTempo")->setValue(60);
    page->findChild<QSpinBox*>("tempoStep")->setValue(40);
    page->findChild<QSpinBox*>("everyLoops")->setValue(1);
    page->findChild<QSpinBox*>("targetTempo")->setValue(100);
    play()->click();
    ASSERT_TRUE(clock.waitForSleepers(1));
    advanceTo(7000);
    EXPECT_EQ(speed.tempoNow().text().toStdString(), "Tempo now: 100");
    play()->click();
    ASSERT_TRUE(finish());
    // "MEANT D1" of each click and each chord's lowest string.
    Lines clicks, roots;
    for (const std::string& line : recorder->meantLines()) {
        const std::string meant = line.substr(line.find('>') + 1);
        const std::string ms = meant.substr(0, meant.find(' '));
        const std::string message = meant.substr(meant.find(' ') + 1);
        if (message.starts_with("99 4"))
            clicks.push_back(ms);
        else if (message == "90 2d 7f" || message == "90 30 7f")
            roots.push_back(ms + " " + message.substr(3, 2));
    }
    // The count-in's four beats at the trainer's start, 60 beats a minute.
    EXPECT_EQ(clicks, (Lines{"0", "1000", "2000", "3000"}));
    // Am then C a beat each, then faster: the first entry never plays.
    ASSERT_GE(roots.size(), 4u);
    EXPECT_EQ(Lines(roots.begin(), roots.begin() + 4),
              (Lines{"4000 2d", "5000 30", "6000 2d", "6600 30"}));
    EXPECT_EQ(library.Settings.Countinbars, 1);
}

} // namespace
} // namespace strumvale::test
