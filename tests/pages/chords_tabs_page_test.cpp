#include "fretboard/fretboard_view.h"
#include "pages/chords_tabs_page.h"
#include "pages/page_rig.h"
#include "resources/templates/chords_tabs_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace strumvale::pages {
namespace {

using Id = resources::ChordsTabsId;

QStringList itemTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

struct ChordsTabsFixture : ::testing::Test {
    test::LibraryRig rig;
    std::unique_ptr<ChordsTabsPage> page;

    void SetUp() override { makePage(); }
    void makePage() {
        page = std::make_unique<ChordsTabsPage>(rig.host);
        page->show();
    }

    template <typename W> W* get(Id id) const { return page->control<W>(id); }
    QListWidget* keys() const { return get<QListWidget>(Id::KeyList); }
    QListWidget* chords() const { return get<QListWidget>(Id::ChordList); }
    QComboBox* tunings() const { return get<QComboBox>(Id::TuningCombo); }
    QCheckBox* showResult() const { return get<QCheckBox>(Id::ShowResult); }
    QLineEdit* searchText() const { return get<QLineEdit>(Id::SearchText); }
    QString tabLine() const { return get<QLabel>(Id::TabLine)->text(); }
    QString notesLine() const { return get<QLabel>(Id::NotesLine)->text(); }
    std::string shownTab() const { return page->fretboardView().chord().Tab; }

    void selectKey(const QString& key) {
        const auto found = keys()->findItems(key, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        keys()->setCurrentItem(found.front());
    }
    void selectTuning(const model::Tuning& tuning) {
        tunings()->setCurrentIndex(tunings()->findText(uikit::toQString(tuning.Name)));
    }
    void click(Id id) const { get<QAbstractButton>(id)->click(); }

    // Note numbers of the note-ons sent so far, in sending order.
    std::vector<int> strummedNotes() {
        rig.library.ChordPlayer.waitUntilIdle();
        std::vector<int> notes;
        for (const auto& message : rig.recorder->messages()) {
            if ((message.packed & 0xF0) == 0x90) {
                notes.push_back(static_cast<int>((message.packed >> 8) & 0x7F));
            }
        }
        return notes;
    }
};

TEST_F(ChordsTabsFixture, StartsOnKeyCWithItsFirstChordShown) {
    EXPECT_EQ(itemTexts(*keys()), (QStringList{"C", "D", "E", "F", "G", "A", "B"}));
    EXPECT_EQ(keys()->currentRow(), 0);
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "C7"}));
    EXPECT_EQ(chords()->currentRow(), 0);
    EXPECT_EQ(tunings()->currentText(), "Standard (E-A-D-G-B-E)");
    EXPECT_TRUE(get<QRadioButton>(Id::HideNotes)->isChecked());
    EXPECT_FALSE(page->fretboardView().noteLabels());

    // Standard tuning with moving on: the stored tab, in the plain form.
    EXPECT_EQ(tabLine(), "Tab: x 3 2 0 1 0");
    EXPECT_EQ(notesLine(), "Notes: N/A - C2 - E2 - G2 - C3 - E3");
    EXPECT_EQ(shownTab(), "x 3 2 0 1 0");
    EXPECT_EQ(page->fretboardView().tuning(), model::Tuning::standard());

    EXPECT_EQ(get<QLabel>(Id::NotesLabel)->text(), "Notes:");
    EXPECT_EQ(get<QPushButton>(Id::AddToList)->text(), "Add to List");
    EXPECT_EQ(get<QGroupBox>(Id::ChordInformationGroup)->title(), "Chord Information");
    EXPECT_EQ(showResult()->text(), "Show Result");
    EXPECT_EQ(page->fretboardView().message(), "Sorry, I can not display this.");
}

TEST_F(ChordsTabsFixture, KeyAndChordSelectionShowTabNotesAndDrawing) {
    selectKey("A");
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"Am", "Am7", "am"}));
    EXPECT_EQ(tabLine(), "Tab: x 0 2 2 1 0");
    EXPECT_EQ(notesLine(), "Notes: N/A - A1 - E2 - A2 - C3 - E3");

    chords()->setCurrentRow(2);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");
    EXPECT_EQ(notesLine(), "Notes: A1 - E2 - A2 - C3 - E3 - A3");
    EXPECT_EQ(page->fretboardView().chord(), model::Chord("A", "am", "5 7 7 5 5 5"));

    // A key without chords leaves the list empty and the last chord on show.
    selectKey("B");
    EXPECT_EQ(chords()->count(), 0);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");
    EXPECT_EQ(shownTab(), "5 7 7 5 5 5");

    // Showing note names is the view's business; the radio buttons switch it.
    click(Id::ShowNotes);
    EXPECT_TRUE(page->fretboardView().noteLabels());
    click(Id::HideNotes);
    EXPECT_FALSE(page->fretboardView().noteLabels());
}

TEST_F(ChordsTabsFixture, ALoweredTuningMovesTheTab) {
    selectKey("G");
    selectTuning(test::kDropD);
    EXPECT_EQ(page->fretboardView().tuning(), test::kDropD);
    EXPECT_EQ(tabLine(), "Tab was changed to: 5 2 0 0 0 3");
    EXPECT_EQ(shownTab(), "5 2 0 0 0 3");
    // Same pitches as the chord in standard tuning.
    EXPECT_EQ(notesLine(), "Notes: G1 - B1 - D2 - G2 - B2 - G3");

    // Moved past fret 12: the view refuses it and no notes are named.
    selectKey("E");
    EXPECT_EQ(tabLine(), "Tab was changed to: 13 x x x x x");
    EXPECT_EQ(notesLine(), "Notes: N/A");

    // Without moving, the stored tab is drawn as it stands in the tuning.
    rig.library.Settings.Changechordtotuning = false;
    selectKey("G");
    EXPECT_EQ(tabLine(), "Tab: 3 2 0 0 0 3");
    EXPECT_EQ(notesLine(), "Notes: F1 - B1 - D2 - G2 - B2 - G3");

    // Back in standard tuning nothing moves.
    rig.library.Settings.Changechordtotuning = true;
    selectTuning(model::Tuning::standard());
    EXPECT_EQ(tabLine(), "Tab: 3 2 0 0 0 3");
    EXPECT_EQ(shownTab(), "3 2 0 0 0 3");
}

TEST_F(ChordsTabsFixture, NotesOutsideTheNoteTableReadNotAvailable) {
    rig.library.Settings.Changechordtotuning = false;
    selectKey("G");
    selectTuning(test::kOffTable);
    // String 2's open note is no table name; string 1 at fret 3 lies past "B4".
    EXPECT_EQ(notesLine(), "Notes: G1 - B1 - D2 - G2 - N/A - N/A");

    // Moving skips the string it cannot measure and mutes what would go below
    // the nut.
    rig.library.Settings.Changechordtotuning = true;
    selectKey("C");
    EXPECT_EQ(tabLine(), "Tab was changed to: x 3 2 0 1 x");
    EXPECT_EQ(notesLine(), "Notes: N/A - C2 - E2 - G2 - N/A - N/A");
}

TEST_F(ChordsTabsFixture, SearchMatchesWholeNameOrTabIgnoringCase) {
    QTest::keyClicks(searchText(), "X 3 2 0 1 0");
    EXPECT_TRUE(showResult()->isChecked());
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "Cadd"}));
    searchText()->setText("x 3 2 0 1 0");
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "Cadd"}));

    // A name finds every chord of that name in any case, nothing that only begins so.
    searchText()->setText("Am");
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"Am", "am"}));
    chords()->setCurrentRow(1);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");

    // Partial text finds nothing; the list empties and the display stays.
    searchText()->setText("x 3 2 0");
    EXPECT_EQ(chords()->count(), 0);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");
    searchText()->clear();
    EXPECT_EQ(chords()->count(), 0);

    // Unchecking goes back to the key; checking again shows the last results.
    click(Id::ShowResult);
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "C7"}));
    searchText()->setText("am");
    click(Id::ShowResult);
    click(Id::ShowResult);
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"Am", "am"}));

    // A new key always shows that key's chords.
    selectKey("G");
    EXPECT_FALSE(showResult()->isChecked());
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"G"}));
}

TEST_F(ChordsTabsFixture, CopyTabSearchesForTheShownFingering) {
    click(Id::CopyTabButton);
    EXPECT_EQ(searchText()->text(), "x 3 2 0 1 0");
    EXPECT_TRUE(showResult()->isChecked());
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "Cadd"}));

    // The same text again still searches, after the user left the results.
    click(Id::ShowResult);
    click(Id::CopyTabButton);
    EXPECT_TRUE(showResult()->isChecked());
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"C", "Cadd"}));

    // A moved tab is copied as shown.
    selectKey("G");
    selectTuning(test::kDropD);
    click(Id::CopyTabButton);
    EXPECT_EQ(searchText()->text(), "5 2 0 0 0 3");
    EXPECT_EQ(chords()->count(), 0);
}

TEST_F(ChordsTabsFixture, PlayStrumsTheStoredTabInTheSelectedTuning) {
    rig.library.Settings.Instrument = 3;
    selectKey("G");
    selectTuning(test::kDropD);
    ASSERT_EQ(shownTab(), "5 2 0 0 0 3");
    click(Id::Play);
    // "3 2 0 0 0 3" on D1 A1 D2 G2 B2 E3, string 6 first.
    EXPECT_EQ(strummedNotes(), (std::vector<int>{41, 47, 50, 55, 59, 67}));
    EXPECT_EQ(rig.library.ChordPlayer.strumDelay(), 1);
    EXPECT_EQ(rig.library.ChordPlayer.holdTime(), 1);
    EXPECT_EQ(rig.library.ChordPlayer.instrument(), 3);

    // A double click plays too.
    rig.recorder->clear();
    selectTuning(model::Tuning::standard());
    QListWidgetItem* item = chords()->item(0);
    // The view takes a double click only on the item the press went to.
    const QPoint at = chords()->visualItemRect(item).center();
    QTest::mousePress(chords()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(chords()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(strummedNotes(), (std::vector<int>{43, 47, 50, 55, 59, 67}));

    // Even a moved tab the view refuses leaves the stored one playable.
    rig.recorder->clear();
    selectKey("E");
    selectTuning(test::kDropD);
    ASSERT_EQ(notesLine(), "Notes: N/A");
    click(Id::Play);
    EXPECT_EQ(strummedNotes(), (std::vector<int>{49}));

    // Without a chordfile nothing plays.
    rig.recorder->clear();
    rig.library.Loaded = false;
    selectKey("C");
    click(Id::Play);
    EXPECT_TRUE(strummedNotes().empty());
}

TEST_F(ChordsTabsFixture, PlayOnChangeStrumsEachShownChordOnce) {
    rig.library.Settings.Playchordsonchange = true;
    selectKey("A");
    EXPECT_EQ(strummedNotes(), (std::vector<int>{45, 52, 57, 60, 64}));
}

TEST_F(ChordsTabsFixture, SearchResultsArePlayedAndListed) {
    searchText()->setText("x 3 2 0 1 0");
    chords()->setCurrentRow(1);
    click(Id::AddToList);
    click(Id::Play);
    ASSERT_EQ(rig.host.playlist.size(), 1u);
    // Row 1 of key C would be C7, whose fourth string is fretted.
    EXPECT_EQ(rig.host.playlist[0], model::Chord("F", "Cadd", "x 3 2 0 1 0"));
    EXPECT_EQ(strummedNotes(), (std::vector<int>{48, 52, 55, 60, 64}));
}

TEST_F(ChordsTabsFixture, AddToListGivesTheTuningAndTheMovedTab) {
    selectKey("G");
    click(Id::AddToList);
    selectTuning(test::kDropD);
    click(Id::AddToList);
    EXPECT_EQ(rig.host.playlist, (std::vector<model::Chord>{
                                     {"G", "G", "3 2 0 0 0 3"},
                                     {"G", "G - Drop D", "5 2 0 0 0 3"},
                                 }));

    // Nothing is selected: nothing is added.
    selectKey("B");
    click(Id::AddToList);
    EXPECT_EQ(rig.host.playlist.size(), 2u);
}

TEST_F(ChordsTabsFixture, RefreshesFollowTheLibrary) {
    selectKey("B");
    rig.library.Chords.Add(model::Chord("B", "B7", "x 2 1 2 0 2"));
    rig.library.Tunings.Add({"Half down", "D#1,G#1,C#2,F#2,A#2,D#3"});
    EXPECT_EQ(chords()->count(), 0);
    page->refreshChords();
    EXPECT_EQ(itemTexts(*chords()), (QStringList{"B7"}));

    selectTuning(test::kDropD);
    page->refreshTunings();
    EXPECT_EQ(tunings()->count(), 4);
    EXPECT_EQ(tunings()->currentIndex(), 0);
    EXPECT_EQ(page->fretboardView().tuning(), model::Tuning::standard());
    EXPECT_EQ(tabLine(), "Tab: x 2 1 2 0 2");
}

TEST_F(ChordsTabsFixture, WhiteBackgroundFollowsTheSettings) {
    const QColor desktop = QApplication::palette().color(QPalette::Window);
    auto* label = get<QLabel>(Id::TabLine);
    EXPECT_EQ(page->palette().color(QPalette::Window), desktop);

    rig.library.Settings.Whitebackgroundcolor = true;
    page->refreshChords();
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(251, 251, 251));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(chords()->palette().color(QPalette::Base), QColor(251, 251, 251));
    EXPECT_TRUE(page->fretboardView().whiteBackground());
    const QImage shot = page->grab().toImage();
    EXPECT_EQ(shot.pixelColor(300, 5), QColor(251, 251, 251));

    rig.library.Settings.Whitebackgroundcolor = false;
    page->refreshChords();
    EXPECT_EQ(page->palette().color(QPalette::Window), desktop);
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText));
    EXPECT_FALSE(page->fretboardView().whiteBackground());
}

TEST_F(ChordsTabsFixture, BracketsAroundTheKeyListInTheDecorationColour) {
    const QImage shot = page->grab().toImage();
    const QColor colour = page->decorationColour();
    EXPECT_EQ(shot.pixelColor(23, 200), colour);
    EXPECT_EQ(shot.pixelColor(40, 190), colour);
    EXPECT_EQ(shot.pixelColor(23, 345), colour);
    EXPECT_EQ(shot.pixelColor(40, 357), colour);
}

TEST_F(ChordsTabsFixture, ColoursAndSettingsReachTheView) {
    page->setDotColour(QColor(1, 2, 3));
    page->setIntervalTextColour(QColor(4, 5, 6));
    page->setNoteTextColour(QColor(7, 8, 9));
    EXPECT_EQ(page->fretboardView().dotsColor(), QColor(1, 2, 3));
    EXPECT_EQ(page->fretboardView().intervalTextColor(), QColor(4, 5, 6));
    EXPECT_EQ(page->fretboardView().noteTextColor(), QColor(7, 8, 9));

    rig.library.Settings.Lefthanded = true;
    rig.library.Settings.Upsidedownneck = true;
    rig.library.Settings.Displaynotesforallfrets = true;
    page->refreshChords();
    EXPECT_TRUE(page->fretboardView().leftHanded());
    EXPECT_TRUE(page->fretboardView().upsideDown());
    EXPECT_TRUE(page->fretboardView().allFrets());
    EXPECT_FALSE(page->fretboardView().editing());
}

} // namespace
} // namespace strumvale::pages
