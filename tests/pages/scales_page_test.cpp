#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"
#include "pages/page_rig.h"
#include "pages/scales_page.h"
#include "resources/templates/scales_page.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace strumvale::pages {
namespace {

using Id = resources::ScalesId;

struct ScalesFixture : ::testing::Test {
    test::LibraryRig rig;
    ScalesPage page{rig.host};

    template <typename W> W* get(Id id) const { return page.control<W>(id); }
    QListWidget* keys() const { return get<QListWidget>(Id::KeyList); }
    QListWidget* scales() const { return get<QListWidget>(Id::ScaleList); }
    QString text(Id id) const { return get<QLabel>(id)->text(); }
    const fretboard::FretboardView& view() const { return page.fretboardView(); }

    void selectScale(const char* name) {
        scales()->setCurrentItem(scales()->findItems(name, Qt::MatchExactly).value(0));
    }
    // The interval labels drawn on the lowest string, left to right.
    QStringList lowStringIntervals() {
        auto& drawn = page.fretboardView();
        fretboard::testing::renderClient(drawn, drawn.width(), drawn.height());
        return fretboard::testing::textsAtTop(
            fretboard::testing::labelsOf(drawn.drawnLabels(),
                                         fretboard::DrawnLabel::Kind::Interval),
            123);
    }
};

TEST_F(ScalesFixture, ShowsTheScaleTextsWithNotAvailableForEmptyFields) {
    // At start: key C, the first scale, intervals on the markers.
    EXPECT_EQ(text(Id::NameLine), "C Dorian");
    EXPECT_EQ(text(Id::Intervals), "1,2,b3,4,5,6,b7");
    EXPECT_EQ(text(Id::Description), "Minor mode\nJazz and funk");
    EXPECT_TRUE(get<QRadioButton>(Id::ShowIntervals)->isChecked());
    EXPECT_TRUE(view().intervalLabels());
    EXPECT_EQ(text(Id::DisplayLabel), "Display:");

    selectScale("Major");
    EXPECT_EQ(text(Id::Description), "N/A");
    // Only the exact word marks a field as empty.
    selectScale("Plain");
    EXPECT_EQ(text(Id::Intervals), "N/A");
    EXPECT_EQ(text(Id::Description), "empty");
    selectScale("Whole");
    EXPECT_EQ(text(Id::Intervals), "N/A");
    EXPECT_EQ(text(Id::Description), "N/A");
}

TEST_F(ScalesFixture, AnotherKeyMovesTheSameScaleAndRenamesIt) {
    selectScale("Major");
    // In C the low E string carries the third open and again at fret 12.
    EXPECT_EQ(lowStringIntervals(), (QStringList{"3", "4", "5", "6", "7", "1", "2", "3"}));

    keys()->setCurrentRow(6);
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Major");
    EXPECT_EQ(view().scale().Name, "Major");
    // In F# the open E is no note of the scale; fret 1 is the seventh, fret 2 the root.
    EXPECT_EQ(lowStringIntervals(), (QStringList{"7", "1", "2", "3", "4", "5", "6"}));

    // The key stays when the scale or the list changes.
    selectScale("Dorian");
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Dorian");
    model::Scale blues;
    blues.Name = "Blues";
    blues.setIntervals("1 b3 4 b5 5 b7");
    blues.setNotes("C D# F F# G A#");
    rig.library.Scales.Add(blues);
    std::swap(rig.library.Scales.mutableItems().front(), rig.library.Scales.mutableItems().back());
    page.refreshScales();
    EXPECT_EQ(scales()->currentRow(), 0);
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Blues");
    EXPECT_EQ(text(Id::Intervals), "1,b3,4,b5,5,b7");
    EXPECT_EQ(view().keyOffset(), 6);

    // An empty list leaves the texts as they were.
    rig.library.Scales.RemoveAll();
    page.refreshScales();
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Blues");
}

TEST_F(ScalesFixture, TuningLabelsAndSettingsReachTheView) {
    get<QComboBox>(Id::TuningCombo)->setCurrentIndex(1);
    EXPECT_EQ(view().tuning(), test::kDropD);
    rig.library.Tunings.RemoveAt(1);
    page.refreshTunings();
    EXPECT_EQ(view().tuning(), model::Tuning::standard());

    get<QRadioButton>(Id::ShowNotes)->click();
    EXPECT_TRUE(view().noteLabels());
    EXPECT_FALSE(view().intervalLabels());

    rig.library.Settings.Upsidedownneck = true;
    rig.library.Settings.Whitebackgroundcolor = true;
    page.showSelectedScale();
    EXPECT_TRUE(view().upsideDown());
    EXPECT_TRUE(view().whiteBackground());
    EXPECT_EQ(page.palette().color(QPalette::Window), test::kWhite);
    EXPECT_EQ(get<QLabel>(Id::NameLine)->palette().color(QPalette::WindowText), Qt::black);
    rig.library.Settings.Whitebackgroundcolor = false;
    page.showSelectedScale();
    EXPECT_EQ(page.palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
}

TEST_F(ScalesFixture, TheScaleIsDrawnInTheColoursOfTheSettings) {
    rig.library.Settings.Clrdots1 = 200;
    rig.library.Settings.Clrintervaltext2 = 20;
    rig.library.Settings.Displaynotesforallfrets = true;
    page.showSelectedScale();
    EXPECT_EQ(view().style(), fretboard::fretboardStyle(rig.library.Settings));
    EXPECT_EQ(view().style().dotsColour.red(), 200);
    EXPECT_EQ(view().style().intervalTextColour.green(), 20);
    EXPECT_TRUE(view().allFrets());
}

} // namespace
} // namespace strumvale::pages
