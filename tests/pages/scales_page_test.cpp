#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"
#include "pages/page_rig.h"
#include "pages/scales_page.h"
#include "resources/templates/scales_page.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace strumvale::pages {
namespace {

using Id = resources::ScalesId;
using Kind = fretboard::DrawnLabel::Kind;

struct ScalesFixture : ::testing::Test {
    test::LibraryRig rig;
    std::unique_ptr<ScalesPage> page;

    void SetUp() override {
        page = std::make_unique<ScalesPage>(rig.host);
        page->show();
    }

    template <typename W> W* get(Id id) const { return page->control<W>(id); }
    QListWidget* keys() const { return get<QListWidget>(Id::KeyList); }
    QListWidget* scales() const { return get<QListWidget>(Id::ScaleList); }
    QString text(Id id) const { return get<QLabel>(id)->text(); }
    const fretboard::FretboardView& view() const { return page->fretboardView(); }

    void selectScale(const QString& name) {
        const auto found = scales()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        scales()->setCurrentItem(found.front());
    }
    // The interval labels drawn on the lowest string, left to right.
    QStringList lowStringIntervals() {
        auto& view = page->fretboardView();
        fretboard::testing::renderClient(view, fretboard::FretboardView::kWidth,
                                         fretboard::FretboardView::kHeight);
        return fretboard::testing::textsAtTop(
            fretboard::testing::labelsOf(view.drawnLabels(), Kind::Interval), 123);
    }
};

TEST_F(ScalesFixture, StartsWithKeyCAndTheFirstScale) {
    EXPECT_EQ(keys()->count(), 12);
    EXPECT_EQ(keys()->item(6)->text(), "F#/Gb");
    EXPECT_EQ(keys()->currentRow(), 0);
    EXPECT_EQ(scales()->count(), 4);
    EXPECT_EQ(scales()->currentRow(), 0);
    EXPECT_EQ(text(Id::NameLine), "C Dorian");
    EXPECT_EQ(text(Id::Intervals), "1,2,b3,4,5,6,b7");
    EXPECT_FALSE(view().chordMode());
    EXPECT_EQ(view().scale().Name, "Dorian");
    EXPECT_EQ(view().tuning(), model::Tuning::standard());

    EXPECT_TRUE(get<QRadioButton>(Id::ShowIntervals)->isChecked());
    EXPECT_TRUE(view().intervalLabels());
    EXPECT_FALSE(view().noteLabels());

    EXPECT_EQ(text(Id::DisplayLabel), "Display:");
    EXPECT_EQ(text(Id::DescriptionLabel), "Description:");
    EXPECT_EQ(get<QGroupBox>(Id::ScaleInformationGroup)->title(), "Scale Information");
    EXPECT_EQ(view().message(), "Sorry, I can not display this.");
}

TEST_F(ScalesFixture, TextsOfTheScaleWithNotAvailableForEmptyFields) {
    // Each ";" starts a line of its own.
    EXPECT_EQ(text(Id::Description), "Minor mode\nJazz and funk");

    selectScale("Major");
    EXPECT_EQ(text(Id::Description), "N/A");
    EXPECT_EQ(text(Id::Intervals), "1,2,3,4,5,6,7");

    // Only the exact word marks a field as empty.
    selectScale("Plain");
    EXPECT_EQ(text(Id::Intervals), "N/A");
    EXPECT_EQ(text(Id::Description), "empty");

    selectScale("Whole");
    EXPECT_EQ(text(Id::Intervals), "N/A");
    EXPECT_EQ(text(Id::Description), "N/A");
    EXPECT_EQ(text(Id::NameLine), "C Whole");
}

TEST_F(ScalesFixture, AnotherKeyMovesTheSameScaleAndRenamesIt) {
    selectScale("Major");
    // In C the low E string carries the third open and again at fret 12.
    EXPECT_EQ(lowStringIntervals(), (QStringList{"3", "4", "5", "6", "7", "1", "2", "3"}));

    keys()->setCurrentRow(6);
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Major");
    EXPECT_EQ(view().keyOffset(), 6);
    EXPECT_EQ(view().scale().Name, "Major");
    // In F# the open E is no note of the scale; fret 1 is the seventh, fret 2 the root.
    EXPECT_EQ(lowStringIntervals(), (QStringList{"7", "1", "2", "3", "4", "5", "6"}));

    // The key stays when the scale changes.
    selectScale("Dorian");
    EXPECT_EQ(text(Id::NameLine), "F#/Gb Dorian");
    EXPECT_EQ(view().keyOffset(), 6);
}

TEST_F(ScalesFixture, TuningAndLabelChoiceReachTheView) {
    auto* combo = get<QComboBox>(Id::TuningCombo);
    EXPECT_EQ(combo->count(), 3);
    combo->setCurrentIndex(1);
    EXPECT_EQ(view().tuning(), test::kDropD);

    get<QRadioButton>(Id::ShowNotes)->click();
    EXPECT_TRUE(view().noteLabels());
    EXPECT_FALSE(view().intervalLabels());
    get<QRadioButton>(Id::ShowIntervals)->click();
    EXPECT_TRUE(view().intervalLabels());
    EXPECT_FALSE(view().noteLabels());

    rig.library.Tunings.RemoveAt(1);
    page->refreshTunings();
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(view().tuning(), model::Tuning::standard());
}

TEST_F(ScalesFixture, RefreshShowsTheFirstScaleOfTheNewList) {
    keys()->setCurrentRow(2);
    selectScale("Plain");
    model::Scale blues;
    blues.Name = "Blues";
    blues.SetIntervals("1 b3 4 b5 5 b7");
    blues.SetNotes("C D# F F# G A#");
    blues.Description = "Six notes";
    rig.library.Scales.mutableItems().insert(rig.library.Scales.mutableItems().begin(), blues);
    page->refreshScales();
    EXPECT_EQ(scales()->currentRow(), 0);
    EXPECT_EQ(keys()->currentRow(), 2);
    EXPECT_EQ(text(Id::NameLine), "D Blues");
    EXPECT_EQ(text(Id::Intervals), "1,b3,4,b5,5,b7");
    EXPECT_EQ(view().scale().Name, "Blues");

    // An empty list leaves the texts as they were.
    rig.library.Scales.RemoveAll();
    page->refreshScales();
    EXPECT_EQ(scales()->count(), 0);
    EXPECT_EQ(text(Id::NameLine), "D Blues");
}

TEST_F(ScalesFixture, SettingsAndColoursReachTheViewWhenApplied) {
    auto& settings = rig.library.Settings;
    settings.Lefthanded = true;
    settings.Whitebackgroundcolor = true;
    page->showSelectedScale();
    EXPECT_TRUE(view().leftHanded());
    EXPECT_TRUE(view().whiteBackground());
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(251, 251, 251));
    EXPECT_EQ(get<QLabel>(Id::NameLine)->palette().color(QPalette::WindowText), QColor(Qt::black));

    settings.Whitebackgroundcolor = false;
    page->showSelectedScale();
    EXPECT_EQ(page->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));

    page->setDotColour(QColor(10, 20, 30));
    page->setIntervalTextColour(QColor(40, 50, 60));
    page->setNoteTextColour(QColor(70, 80, 90));
    EXPECT_EQ(view().dotsColor(), QColor(10, 20, 30));
    EXPECT_EQ(view().intervalTextColor(), QColor(40, 50, 60));
    EXPECT_EQ(view().noteTextColor(), QColor(70, 80, 90));
}

} // namespace
} // namespace strumvale::pages
