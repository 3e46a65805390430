#include "page_rig.h"
#include "pages/drummer_page.h"
#include "pages/pattern_grid_editor.h"
#include "resources/templates/drummer_page.h"
#include "sound/drum_step.h"
#include "support/dark_palette.h"
#include "support/modal_seams.h"
#include "uikit/dialog_builder.h"
#include "uikit/message_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Id = resources::DrummerId;
using Lines = std::vector<std::string>;

model::DrumPattern pattern(const char* name, int tempo,
                           std::initializer_list<std::pair<int, int>> hits) {
    model::DrumPattern result;
    result.Name = name;
    result.Tempo = tempo;
    for (auto [step, track] : hits)
        result.Pattern[model::DrumPattern::cellIndex(step, track)] = 1;
    return result;
}

// The page on a library whose player sleeps on a virtual clock.
class DrummerPageTest : public ::testing::Test, protected ClockedLibrary {
protected:
    DrummerPageTest() {
        answer = uikit::MessageAnswer::Yes;
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        model::DrumPattern fast = pattern("Fast", 600, {{1, 1}, {9, 2}});
        fast.Instruments[1] = 3;
        fast.Volumes[1] = 80;
        library.DrumPatterns.Add(fast);
        library.DrumPatterns.Add(pattern("Slow", 60, {{1, 8}}));
        library.ChordPlayer.setup(0, 0, 0, 127);
        page = std::make_unique<pages::DrummerPage>(host);
    }
    ~DrummerPageTest() override { page.reset(); }

    template <typename Widget> Widget* control(Id id) { return uikit::control<Widget>(*page, id); }
    QString playCaption() { return control<QPushButton>(Id::Play)->text(); }
    bool playing() { return library.ChordPlayer.isPlaying(); }
    bool finish() {
        const bool done = clock.runUntil([&] { return !playing(); });
        QApplication::processEvents();
        return done;
    }
    // Runs the pattern until step is marked (the worker then sleeps in it).
    bool runToStep(int step) {
        return clock.runUntil([&] {
            QApplication::processEvents();
            return page->gridEditor().currentStep() == step && clock.sleepers() == 1;
        });
    }
    void clickCell(int step, int track) {
        QTest::mouseClick(&page->gridEditor(), Qt::LeftButton, {},
                          QPoint(30 * step + 35, 18 * track));
    }

    // Every question answered Yes unless a test says otherwise.
    ModalSeams modal;
    uikit::MessageAnswer& answer = modal.answer;
    std::vector<ModalSeams::Shown>& shown = modal.shown;
    std::unique_ptr<pages::DrummerPage> page;
};

TEST_F(DrummerPageTest, StartsWithTheFirstPatternAndTheEighthTrack) {
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->count(), 2);
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->currentText(), "Fast");
    EXPECT_EQ(control<QListWidget>(Id::TrackList)->currentItem()->text(), "8th");
    EXPECT_EQ(page->gridEditor().selectedTrack(), 8);
    EXPECT_TRUE(page->gridEditor().hit(1, 1));
    EXPECT_TRUE(page->gridEditor().hit(9, 2));
    EXPECT_FALSE(page->gridEditor().hit(1, 2));
    auto* instruments = control<QComboBox>(Id::InstrumentCombo);
    EXPECT_EQ(instruments->count(), 47);
    EXPECT_EQ(instruments->itemText(0), "Acoustic Bass Drum");
    EXPECT_EQ(instruments->itemText(46), "Open Triangle");
    EXPECT_EQ(control<QLineEdit>(Id::Tempo)->text(), "600");
    EXPECT_EQ(control<QLineEdit>(Id::Tempo)->maxLength(), 3);
    EXPECT_EQ(control<QSpinBox>(Id::TempoUpDown)->minimum(), 60);
    EXPECT_EQ(control<QSpinBox>(Id::TempoUpDown)->maximum(), 320);
    EXPECT_EQ(control<QSlider>(Id::VolumeTrackbar)->maximum(), 127);
    EXPECT_EQ(control<QLineEdit>(Id::PatternName)->text(), "Fast");
    EXPECT_TRUE(control<QLineEdit>(Id::PatternName)->isHidden());
    EXPECT_FALSE(control<QLabel>(Id::EditingDisabledNotice)->isHidden());
    EXPECT_EQ(playCaption(), "Play");
    EXPECT_EQ(page->gridEditor().accessibleName(), "Drum pattern grid");
    EXPECT_EQ(control<QSlider>(Id::VolumeTrackbar)->accessibleName(), "Volume");

    // The third track shows its sound and is marked on the grid.
    control<QListWidget>(Id::TrackList)->setCurrentRow(1);
    EXPECT_EQ(instruments->currentIndex(), 3);
    EXPECT_EQ(control<QSlider>(Id::VolumeTrackbar)->value(), 127 - 80);
    control<QListWidget>(Id::TrackList)->setCurrentRow(2);
    EXPECT_EQ(page->gridEditor().selectedTrack(), 3);

    control<QRadioButton>(Id::EnableEditing)->click();
    EXPECT_FALSE(control<QLineEdit>(Id::PatternName)->isHidden());
    EXPECT_TRUE(control<QLabel>(Id::EditingDisabledNotice)->isHidden());
}

TEST_F(DrummerPageTest, APassSoundsEachHitAtItsStepAndTheCaptionFollows) {
    control<QPushButton>(Id::Play)->click();
    EXPECT_TRUE(playing());
    ASSERT_TRUE(runToStep(2));
    EXPECT_EQ(playCaption(), "Stop");
    ASSERT_TRUE(finish());
    EXPECT_EQ(recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "800 99 26 50", "900 89 26 00"}));
    EXPECT_EQ(playCaption(), "Play");
    EXPECT_EQ(page->gridEditor().currentStep(), 1);
}

// "Fast" at 600 steps a minute: 100 ms steps, a 4/4 bar of sixteen of them.
// Counted in a bar, its pass follows with the click on every beat; the grid
// marks its steps as they sound.
TEST_F(DrummerPageTest, APatternCountedInAndClickedKeepsItsStepsOnTheBeat) {
    auto* metronome = page->findChild<QCheckBox*>("clickAlong");
    auto* countIn = page->findChild<QComboBox*>("countInAlong");
    ASSERT_TRUE(metronome && countIn);
    metronome->setChecked(true);
    countIn->setCurrentIndex(1);
    control<QPushButton>(Id::Play)->click();
    EXPECT_EQ(playCaption(), "Stop");
    ASSERT_TRUE(runToStep(9));
    ASSERT_TRUE(finish());
    EXPECT_EQ(playCaption(), "Play");
    Lines hits;
    for (const std::string& line : recorder->lines())
        if (line.find(" 99 ") != std::string::npos)
            hits.push_back(line);
    EXPECT_EQ(hits, (Lines{"0 99 4c 7f", "400 99 4d 60", "800 99 4d 60", "1200 99 4d 60",
                           "1600 99 23 7f", "1600 99 4c 7f", "2000 99 4d 60", "2400 99 26 50",
                           "2400 99 4d 60", "2800 99 4d 60"}))
        << "the count-in, then the pattern's hits with the click, once";
    EXPECT_EQ(library.Settings.Countinbars, 1);
}

// No pattern to play: the metronome clicks alone, bar after bar, until Stop.
TEST_F(DrummerPageTest, WithoutAPatternTheClickPlaysAlone) {
    library.DrumPatterns.RemoveAll();
    page = std::make_unique<pages::DrummerPage>(host);
    ASSERT_FALSE(page->hasPattern());
    page->findChild<QCheckBox*>("clickAlong")->setChecked(true);
    control<QPushButton>(Id::Play)->click();
    // 120 on the page: 499 ms steps, a beat of four.
    ASSERT_TRUE(clock.runUntil(
        [&] { return clock.now() >= sound::Clock::TimePoint(std::chrono::milliseconds(8500)); }));
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(finish());
    Lines clicks;
    for (const std::string& line : recorder->lines())
        if (line.find(" 99 ") != std::string::npos)
            clicks.push_back(line.substr(0, line.find(' ')) + line.substr(line.rfind(' ')));
    ASSERT_GE(clicks.size(), 5u);
    EXPECT_EQ(Lines(clicks.begin(), clicks.begin() + 5),
              (Lines{"0 7f", "1996 60", "3992 60", "5988 60", "7984 7f"}))
        << "a second bar, accented again";
}

TEST_F(DrummerPageTest, ChangesWhilePlayingAreHeardFromTheNextStep) {
    control<QCheckBox>(Id::LoopPattern)->setChecked(true);
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(runToStep(3));
    clickCell(2, 1); // heard in the next pass
    control<QListWidget>(Id::TrackList)->setCurrentRow(0);
    control<QComboBox>(Id::InstrumentCombo)->setCurrentIndex(5);
    control<QSlider>(Id::VolumeTrackbar)->setValue(27);
    EXPECT_EQ(page->trackInstrument(1), 5);
    EXPECT_EQ(page->trackVolume(1), 100);
    control<QLineEdit>(Id::Tempo)->setText("300"); // 199 ms from step 4 on
    ASSERT_TRUE(runToStep(2));
    control<QLineEdit>(Id::Tempo)->setText("x"); // no digits: 100 ms
    ASSERT_TRUE(runToStep(4));
    // Stopping in the middle of step 4 lets it finish.
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(finish());
    // Steps 1-3 at 100 ms, then 199 ms; the second pass's step 3 on at 100 ms.
    EXPECT_EQ(recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "1295 99 26 50", "1494 89 26 00",
                     "2887 99 28 64", "3086 89 28 00", "3086 99 28 64", "3285 89 28 00"}));
    EXPECT_EQ(playCaption(), "Play");
    EXPECT_TRUE(control<QCheckBox>(Id::LoopPattern)->isChecked());
}

TEST_F(DrummerPageTest, AHitClickedOffWhileItSoundsIsStillTurnedOff) {
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(runToStep(1));
    clickCell(1, 1);
    EXPECT_FALSE(page->gridEditor().hit(1, 1));
    ASSERT_TRUE(finish());
    EXPECT_EQ(recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "800 99 26 50", "900 89 26 00"}));
}

TEST_F(DrummerPageTest, ATypedTempoCountsOnceItIsOneNotOnTheWay) {
    // From 600 to 200, a key at a time, each at a step of its own: "2" and
    // "20" are no tempo to play, so no step of two seconds is heard.
    auto* tempo = control<QLineEdit>(Id::Tempo);
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(runToStep(3));
    tempo->selectAll();
    QTest::keyClicks(tempo, "2");
    EXPECT_EQ(page->livePattern().tempo(), 600);
    ASSERT_TRUE(runToStep(4));
    QTest::keyClicks(tempo, "0");
    ASSERT_TRUE(runToStep(5));
    QTest::keyClicks(tempo, "0");
    EXPECT_EQ(page->livePattern().tempo(), 200);
    EXPECT_EQ(control<QSpinBox>(Id::TempoUpDown)->value(), 200);
    ASSERT_TRUE(finish());
    // Steps 1 to 5 at 100 ms; from step 6 on 299 ms, so step 9 begins at 500 + 3 x 299.
    EXPECT_EQ(recorder->lines(),
              (Lines{"0 99 23 7f", "100 89 23 00", "1397 99 26 50", "1696 89 26 00"}));

    // Left with a text outside the range, the edit's text is the tempo, as
    // a pattern's own tempo is.
    tempo->selectAll();
    QTest::keyClicks(tempo, "4");
    EXPECT_EQ(page->livePattern().tempo(), 200);
    QTest::keyClick(tempo, Qt::Key_Return);
    EXPECT_EQ(page->livePattern().tempo(), 4);
    control<QComboBox>(Id::PatternCombo)->setCurrentIndex(1);
    EXPECT_EQ(page->livePattern().tempo(), 60);
    // The up-down's steps count at once.
    control<QSpinBox>(Id::TempoUpDown)->stepUp();
    EXPECT_EQ(page->livePattern().tempo(), 61);
}

// The tempo counts the grid's steps; beside it the beats, four steps each.
// With the keyboard: arrows over the cells, told as they move, and Space
// toggles the cell as a click does.
TEST_F(DrummerPageTest, TheKeyboardTogglesCellsAsClicksDo) {
    pages::PatternGridEditor& grid = page->gridEditor();
    page->show();
    QApplication::setActiveWindow(page.get());
    grid.setFocus();
    ASSERT_TRUE(grid.hasFocus());
    const pages::PatternGridEditor::Cells before = grid.cells();
    clickCell(5, 3);
    clickCell(1, 1); // a hit clicked off
    const pages::PatternGridEditor::Cells clicked = grid.cells();
    grid.setCells(before);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.accessibleDescription(), "Track 3, step 5");
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.accessibleDescription(), "Track 3, step 5, hit");
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&grid, Qt::Key_Up); // stops at track 1
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.cells(), clicked);
    // Leaving it, the description lists the hits again.
    grid.clearFocus();
    EXPECT_EQ(grid.accessibleDescription(), "2: 9; 3: 5");
}

// Under a dark desktop palette the grid's lines and track mark are light on
// its background; hits keep their colour.
TEST(PatternGridDarkPalette, LinesAndTheTrackMarkStandOutFromTheBackground) {
    pages::PatternGridEditor grid;
    grid.setPalette(test::darkPalette());
    grid.setSelectedTrack(3);
    pages::PatternGridEditor::Cells cells{};
    cells[model::DrumPattern::cellIndex(5, 2)] = 1;
    grid.setCells(cells);
    QImage image(grid.size(), QImage::Format_RGB32);
    grid.render(&image);
    const QColor background = test::darkPalette().color(QPalette::Window);
    ASSERT_EQ(image.pixelColor(3, 3), background);
    EXPECT_GE(test::bestContrastIn(image, QRect(200, 28, 1, 1), background),
              test::kGraphicsContrast)
        << "a track's line";
    EXPECT_GE(test::bestContrastIn(image, QRect(170, 40, 1, 1), background),
              test::kGraphicsContrast)
        << "a step's line";
    EXPECT_GE(test::bestContrastIn(image, QRect(15, 46, 25, 14), background), test::kTextContrast)
        << "the track mark";
    EXPECT_EQ(image.pixelColor(30 * 5 + 35, 36), grid.hitColour());
}

TEST_F(DrummerPageTest, BesideTheStepsStandTheirBeatsAMinute) {
    auto* beats = page->findChild<QLabel*>("beatsPerMinute");
    ASSERT_NE(beats, nullptr);
    EXPECT_EQ(beats->text(), "(150 beats a minute)") << "600 steps a minute";
    control<QLineEdit>(Id::Tempo)->setText("240");
    EXPECT_EQ(beats->text(), "(60 beats a minute)");
    control<QSpinBox>(Id::TempoUpDown)->setValue(250);
    EXPECT_EQ(beats->text(), "(62.5 beats a minute)");
    EXPECT_EQ(beats->accessibleName(), beats->text());

    // Beats are tapped, four steps each: taps 750 ms apart are 80 beats.
    auto* tap = page->findChild<QPushButton*>("tap");
    ASSERT_NE(tap, nullptr);
    EXPECT_EQ(tap->accessibleName(), "Tap tempo");
    for (int ms : {1000, 1750, 2500, 3250}) {
        clock.advanceTo(sound::Clock::TimePoint(std::chrono::milliseconds(ms)));
        QTest::mousePress(tap, Qt::LeftButton);
        QTest::mouseRelease(tap, Qt::LeftButton);
    }
    EXPECT_EQ(control<QLineEdit>(Id::Tempo)->text(), "320");
    EXPECT_EQ(beats->text(), "(80 beats a minute)");
    // Editing takes its place, as it does the metronome's.
    control<QRadioButton>(Id::EnableEditing)->click();
    EXPECT_FALSE(tap->isVisibleTo(page.get()));
}

TEST_F(DrummerPageTest, ATypedTempoPlaysAtItsLeadingInteger) {
    auto* tempo = control<QLineEdit>(Id::Tempo);
    const auto stepOf = [&](const char* text) {
        tempo->selectAll();
        QTest::keyClick(tempo, Qt::Key_Backspace);
        QTest::keyClicks(tempo, text);
        return sound::stepMilliseconds(page->livePattern().tempo());
    };
    EXPECT_EQ(stepOf(""), 100);
    EXPECT_EQ(stepOf("fast"), 100);
    EXPECT_EQ(stepOf("60bpm"), 999);
}

TEST_F(DrummerPageTest, UpdateRemoveAndNewKeepTheListInStep) {
    control<QRadioButton>(Id::EnableEditing)->click();
    clickCell(5, 3);
    clickCell(1, 1);
    control<QLineEdit>(Id::PatternName)->setText("Faster");
    control<QLineEdit>(Id::Tempo)->setText("abc");
    control<QPushButton>(Id::Update)->click();
    model::DrumPattern stored = pattern("Faster", 0, {{5, 3}, {9, 2}});
    stored.Instruments[1] = 3;
    stored.Volumes[1] = 80;
    EXPECT_EQ(library.DrumPatterns.GetAt(0), stored);
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->itemText(0), "Faster");
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->currentIndex(), 0);
    EXPECT_FALSE(library.Modified) << "pattern edits do not mark the library";

    control<QPushButton>(Id::New)->click();
    EXPECT_EQ(library.DrumPatterns.Count(), 3);
    EXPECT_EQ(library.DrumPatterns.GetAt(2), pattern("New Pattern", 120, {}));
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->currentIndex(), 2);
    EXPECT_EQ(page->gridEditor().cells(), pages::PatternGridEditor::Cells{});
    EXPECT_EQ(control<QLineEdit>(Id::Tempo)->text(), "120");

    answer = uikit::MessageAnswer::No;
    control<QPushButton>(Id::Remove)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Remove: New Pattern");
    EXPECT_EQ(shown[0].message.caption, "Remove?");
    EXPECT_EQ(library.DrumPatterns.Count(), 3);
    answer = uikit::MessageAnswer::Yes;
    control<QPushButton>(Id::Remove)->click();
    EXPECT_EQ(library.DrumPatterns.Count(), 2);
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->currentIndex(), 0)
        << "the last one removed, the first is selected";
    EXPECT_EQ(control<QLineEdit>(Id::PatternName)->text(), "Faster");
    EXPECT_FALSE(library.Modified);
}

TEST_F(DrummerPageTest, WithoutPatternsThereIsNothingToEditButTheGridStillPlays) {
    page.reset();
    library.DrumPatterns.RemoveAll();
    page = std::make_unique<pages::DrummerPage>(host);
    EXPECT_EQ(control<QComboBox>(Id::PatternCombo)->count(), 0);
    control<QPushButton>(Id::Update)->click();
    control<QPushButton>(Id::Remove)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(library.DrumPatterns.Count(), 0);
    clickCell(16, 8);
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(finish());
    EXPECT_EQ(recorder->lines(), (Lines{"7485 99 23 7f", "7984 89 23 00"}));
}

TEST_F(DrummerPageTest, APageClosedWhileLoopingEndsItsPatternCleanly) {
    control<QCheckBox>(Id::LoopPattern)->setChecked(true);
    control<QPushButton>(Id::Play)->click();
    ASSERT_TRUE(runToStep(1));
    page.reset();
    QApplication::processEvents();
    EXPECT_FALSE(playing());
    EXPECT_EQ(recorder->lines(), (Lines{"0 99 23 7f", "0 89 23 00"}));
}

} // namespace
} // namespace strumvale::test
