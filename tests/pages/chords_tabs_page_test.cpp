#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"
#include "model/fingering.h"
#include "pages/chords_tabs_page.h"
#include "pages/page_rig.h"
#include "resources/templates/chords_tabs_page.h"
#include "sound/chord_player.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace strumvale::pages {
namespace {

using Id = resources::ChordsTabsId;

struct ChordsTabsFixture : ::testing::Test {
    test::LibraryRig rig;
    ChordsTabsPage page{rig.host};

    ChordsTabsFixture() { page.show(); }

    template <typename W> W* get(Id id) const { return page.control<W>(id); }
    QListWidget* chords() const { return get<QListWidget>(Id::ChordList); }
    QCheckBox* showResult() const { return get<QCheckBox>(Id::ShowResult); }
    QLineEdit* searchText() const { return get<QLineEdit>(Id::SearchText); }
    QString tabLine() const { return get<QLabel>(Id::TabLine)->text(); }
    QString notesLine() const { return get<QLabel>(Id::NotesLine)->text(); }
    std::string shownTab() const { return page.fretboardView().chord().Tab; }
    QStringList chordNames() const { return test::itemTexts(*chords()); }

    void selectKey(const char* key) {
        auto* keys = get<QListWidget>(Id::KeyList);
        keys->setCurrentItem(keys->findItems(key, Qt::MatchExactly).value(0));
    }
    void selectTuning(const model::Tuning& tuning) {
        auto* combo = get<QComboBox>(Id::TuningCombo);
        combo->setCurrentIndex(combo->findText(uikit::toQString(tuning.Name)));
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
        rig.recorder->clear();
        return notes;
    }
};

TEST_F(ChordsTabsFixture, KeyAndChordSelectionShowTabNotesAndDrawing) {
    // At start: key C, its first chord, standard tuning, moving on but idle.
    EXPECT_EQ(chordNames(), (QStringList{"C", "C7"}));
    EXPECT_EQ(tabLine(), "Tab: x 3 2 0 1 0");
    EXPECT_EQ(notesLine(), "Notes: N/A - C2 - E2 - G2 - C3 - E3");
    EXPECT_EQ(page.fretboardView().tuning(), model::Tuning::standard());
    EXPECT_EQ(get<QLabel>(Id::NotesLabel)->text(), "Notes:");
    EXPECT_EQ(page.fretboardView().message(), "Sorry, I can not display this.");

    selectKey("A");
    EXPECT_EQ(chordNames(), (QStringList{"Am", "Am7", "am"}));
    chords()->setCurrentRow(2);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");
    EXPECT_EQ(notesLine(), "Notes: A1 - E2 - A2 - C3 - E3 - A3");
    EXPECT_EQ(page.fretboardView().chord(), model::Chord("A", "am", "5 7 7 5 5 5"));

    // A key without chords leaves the list empty and the last chord on show.
    selectKey("B");
    EXPECT_EQ(chords()->count(), 0);
    EXPECT_EQ(shownTab(), "5 7 7 5 5 5");

    EXPECT_FALSE(page.fretboardView().noteLabels());
    click(Id::ShowNotes);
    EXPECT_TRUE(page.fretboardView().noteLabels());
}

TEST_F(ChordsTabsFixture, ALoweredTuningMovesTheTab) {
    selectKey("G");
    selectTuning(test::kDropD);
    EXPECT_EQ(page.fretboardView().tuning(), test::kDropD);
    EXPECT_EQ(tabLine(), "Tab was changed to: 5 2 0 0 0 3");
    EXPECT_EQ(shownTab(), "5 2 0 0 0 3");
    // The pitches of the chord in standard tuning.
    EXPECT_EQ(notesLine(), "Notes: G1 - B1 - D2 - G2 - B2 - G3");

    // Moved past fret 12: the view refuses it and no notes are named.
    selectKey("E");
    EXPECT_EQ(tabLine(), "Tab was changed to: 13 x x x x x");
    EXPECT_EQ(notesLine(), "Notes: N/A");

    rig.library.Settings.Changechordtotuning = false;
    selectKey("G");
    EXPECT_EQ(tabLine(), "Tab: 3 2 0 0 0 3");
    EXPECT_EQ(notesLine(), "Notes: F1 - B1 - D2 - G2 - B2 - G3");
}

TEST_F(ChordsTabsFixture, NotesOutsideTheNoteTableReadNotAvailable) {
    rig.library.Settings.Changechordtotuning = false;
    selectKey("G");
    selectTuning(test::kOffTable);
    // String 2's open note is no table name; string 1 at fret 3 lies past "B4".
    EXPECT_EQ(notesLine(), "Notes: G1 - B1 - D2 - G2 - N/A - N/A");

    // Moving keeps the string it cannot measure and mutes one pushed below the nut.
    rig.library.Settings.Changechordtotuning = true;
    selectKey("C");
    EXPECT_EQ(tabLine(), "Tab was changed to: x 3 2 0 1 x");
    EXPECT_EQ(notesLine(), "Notes: N/A - C2 - E2 - G2 - N/A - N/A");
}

// "03", "13" and a text of seven tokens are no fret to any part of the page, so
// moving them to another tuning must not make the view draw or the notes line
// name what the player will not sound.
TEST_F(ChordsTabsFixture, ViewNotesLineAndPlayerReadOddTokensAlike) {
    const model::Tuning wholeUp{"Whole up", "F#1,B1,E2,A2,C#3,F#3"};
    rig.library.Tunings.Add(wholeUp);
    page.refreshTunings();
    struct Row {
        const char* stored;
        const char* tabLine;
        const char* notesLine;
    };
    const Row rows[] = {
        {"x 5 4 2 3 3", "Tab was changed to: x 3 2 0 1 1", "Notes: N/A - D2 - F#2 - A2 - D3 - G3"},
        {"x 5 4 2 3 03", "Tab was changed to: x 3 2 0 1 03", "Notes: N/A"},
        {"13 7 x x x x", "Tab was changed to: 13 5 x x x x", "Notes: N/A"},
        {"x 5 4 2 3 3 ", "Tab: x 5 4 2 3 3 ", "Notes: N/A - N/A - N/A - N/A - N/A - N/A"},
    };
    for (const Row& row : rows) {
        rig.library.Chords.Add(model::Chord("D", row.stored, row.stored));
    }
    click(Id::ShowNotes);
    selectKey("D");
    selectTuning(wholeUp);

    auto& view = page.fretboardView();
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        SCOPED_TRACE(rows[i].stored);
        chords()->setCurrentRow(i);
        EXPECT_EQ(tabLine().toStdString(), rows[i].tabLine);
        EXPECT_EQ(notesLine().toStdString(), rows[i].notesLine);

        QStringList named = notesLine().mid(QStringLiteral("Notes: ").size()).split(" - ");
        named.removeAll("N/A");
        fretboard::testing::renderClient(view, view.width(), view.height());
        QStringList drawn;
        for (const auto& label :
             fretboard::testing::labelsOf(view.drawnLabels(), fretboard::DrawnLabel::Kind::Note)) {
            drawn << label.text;
        }
        const bool refused =
            !fretboard::testing::labelsOf(view.drawnLabels(), fretboard::DrawnLabel::Kind::Message)
                 .empty();
        QStringList sounding;
        if (!refused) {
            for (const std::string& note :
                 sound::ChordPlayer::strumNotes(shownTab(), wholeUp.Notes)) {
                sounding << uikit::toQString(note);
            }
        }
        named.sort();
        drawn.sort();
        sounding.sort();
        EXPECT_EQ(drawn.join(' ').toStdString(), named.join(' ').toStdString())
            << "the view labels what the notes line names";
        EXPECT_EQ(sounding.join(' ').toStdString(), named.join(' ').toStdString())
            << "the shown tab sounds what the notes line names";

        click(Id::Play);
        EXPECT_EQ(strummedNotes().size(), static_cast<std::size_t>(named.size()))
            << "the stored tab sounds as many strings as are named";
    }
}

// By keyboard the neck reads the chord shown, string by string, as a screen
// reader says it, and changes nothing.
TEST_F(ChordsTabsFixture, TheKeyboardReadsTheChordStringByStringWithoutEditingIt) {
    fretboard::FretboardView& view = page.fretboardView();
    QApplication::setActiveWindow(&page);
    view.setFocus();
    ASSERT_TRUE(view.hasFocus());
    EXPECT_EQ(view.accessibleDescription(), "x 3 2 0 1 0: C2 E2 G2 C3 E3") << "the chord first";
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(&view, key);
        return view.accessibleDescription().toStdString();
    };
    EXPECT_EQ(press(Qt::Key_Up), "String 5, fret 3, C");
    EXPECT_EQ(press(Qt::Key_Up), "String 4, fret 2, E");
    EXPECT_EQ(press(Qt::Key_Up), "String 3, fret 0, G");
    EXPECT_EQ(press(Qt::Key_Right), "String 3, fret 1, G#") << "along the string, any fret";
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_X, Qt::Key_Delete, Qt::Key_0})
        press(key);
    EXPECT_EQ(shownTab(), "x 3 2 0 1 0") << "nothing edited";
    EXPECT_EQ(tabLine(), "Tab: x 3 2 0 1 0");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(press(Qt::Key_Down), "String 6, muted");
    view.clearFocus();
    EXPECT_EQ(view.accessibleDescription(), "x 3 2 0 1 0: C2 E2 G2 C3 E3");
}

TEST_F(ChordsTabsFixture, SearchMatchesWholeNameOrTabIgnoringCase) {
    QTest::keyClicks(searchText(), "X 3 2 0 1 0");
    EXPECT_TRUE(showResult()->isChecked());
    EXPECT_EQ(chordNames(), (QStringList{"C", "Cadd"}));

    searchText()->setText("Am");
    EXPECT_EQ(chordNames(), (QStringList{"Am", "am"}));
    chords()->setCurrentRow(1);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");

    // Part of a tab finds nothing; the display stays.
    searchText()->setText("x 3 2 0");
    EXPECT_EQ(chords()->count(), 0);
    EXPECT_EQ(tabLine(), "Tab: 5 7 7 5 5 5");

    // Unchecking goes back to the key; checking again shows the last results.
    searchText()->setText("am");
    click(Id::ShowResult);
    EXPECT_EQ(chordNames(), (QStringList{"C", "C7"}));
    click(Id::ShowResult);
    EXPECT_EQ(chordNames(), (QStringList{"Am", "am"}));

    selectKey("G");
    EXPECT_FALSE(showResult()->isChecked());
    EXPECT_EQ(chordNames(), (QStringList{"G"}));
}

TEST_F(ChordsTabsFixture, ASearchTheLibraryCannotAnswerFindsVoicingsOrNamesTheFingering) {
    // The library's own matches keep their place.
    searchText()->setText("C");
    EXPECT_EQ(chordNames(), QStringList{"C"});

    // A fingering no chord of the library has: itself, under its best name.
    searchText()->setText("x 3 2 2 1 3");
    EXPECT_EQ(chordNames(), QStringList{"C6"});
    EXPECT_EQ(shownTab(), "x 3 2 2 1 3");

    // A chord symbol: its voicings in the selected tuning, drawn as found
    // (not moved again as a standard-tuning chord would be), playable, addable.
    selectTuning(test::kDropD);
    searchText()->setText("D");
    ASSERT_GE(chords()->count(), 3);
    EXPECT_EQ(chords()->item(0)->text(), "D  0 0 0 2 3 2");
    EXPECT_NE(chords()->item(1)->text(), chords()->item(0)->text());
    EXPECT_EQ(shownTab(), "0 0 0 2 3 2");
    click(Id::Play);
    // D1 A1 D2 A2 D3 F#3: drop D's low string sounds D.
    EXPECT_EQ(strummedNotes(), (std::vector<int>{38, 45, 50, 57, 62, 66}));
    click(Id::AddToList);
    ASSERT_EQ(rig.host.playlist.size(), 1u);
    EXPECT_EQ(rig.host.playlist[0].Tab, "0 0 0 2 3 2");
    EXPECT_EQ(rig.host.playlistTunings[0], test::kDropD.Notes);
    // The tab told the results apart in the list only: the chord is "D".
    EXPECT_EQ(rig.host.playlist[0].Name, "D - Drop D");
    EXPECT_EQ(rig.host.playlist[0].RootNote, "D");

    searchText()->setText("nothing at all");
    EXPECT_EQ(chords()->count(), 0);
}

TEST_F(ChordsTabsFixture, CopyTabSearchesForTheShownFingering) {
    click(Id::CopyTabButton);
    EXPECT_EQ(searchText()->text(), "x 3 2 0 1 0");
    EXPECT_EQ(chordNames(), (QStringList{"C", "Cadd"}));

    // The same text again still searches, though the edit does not change.
    click(Id::ShowResult);
    click(Id::CopyTabButton);
    EXPECT_TRUE(showResult()->isChecked());

    selectKey("G");
    selectTuning(test::kDropD);
    click(Id::CopyTabButton);
    EXPECT_EQ(searchText()->text(), "5 2 0 0 0 3");
}

TEST_F(ChordsTabsFixture, PlaySoundsTheTabShownInTheTuningShown) {
    rig.library.Settings.Instrument = 3;
    selectKey("G");
    click(Id::Play);
    // G B D G B G: the stored tab in standard tuning.
    const std::vector<int> gMajor{43, 47, 50, 55, 59, 67};
    EXPECT_EQ(strummedNotes(), gMajor);

    // Drop D moves the low string up two frets, so the same G sounds.
    selectTuning(test::kDropD);
    ASSERT_EQ(shownTab(), "5 2 0 0 0 3");
    click(Id::Play);
    EXPECT_EQ(strummedNotes(), gMajor) << "not F on the low string";
    EXPECT_EQ(rig.library.ChordPlayer.strumDelay(), 1);
    EXPECT_EQ(rig.library.ChordPlayer.holdTime(), 1);
    EXPECT_EQ(rig.library.ChordPlayer.instrument(), 3);

    // Open G (D G D G B D): three strings move, and still G sounds, not F A D G B F.
    rig.library.Tunings.Add({"Open G", "D1,G1,D2,G2,B2,D3"});
    page.refreshTunings();
    selectTuning({"Open G", "D1,G1,D2,G2,B2,D3"});
    selectKey("G");
    ASSERT_EQ(shownTab(), "5 4 0 0 0 5");
    click(Id::Play);
    EXPECT_EQ(strummedNotes(), gMajor);

    // A moved tab the view cannot show is not played either.
    selectTuning(test::kDropD);
    selectKey("E");
    ASSERT_EQ(notesLine(), "Notes: N/A");
    // The view takes a double click only on the item the press went to.
    const QPoint at = chords()->visualItemRect(chords()->item(0)).center();
    QTest::mousePress(chords()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(chords()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(strummedNotes().empty());

    // Playing on change sounds the moved tab too: Am's open A string stays A.
    rig.library.Settings.Playchordsonchange = true;
    selectKey("A");
    EXPECT_EQ(strummedNotes(), (std::vector<int>{45, 52, 57, 60, 64}));

    rig.library.Loaded = false;
    click(Id::Play);
    EXPECT_TRUE(strummedNotes().empty());
}

TEST_F(ChordsTabsFixture, SearchResultsArePlayedAndListed) {
    searchText()->setText("x 3 2 0 1 0");
    chords()->setCurrentRow(1);
    click(Id::AddToList);
    click(Id::Play);
    // Row 1 of key C would be C7.
    EXPECT_EQ(rig.host.playlist, (std::vector<model::Chord>{{"F", "Cadd", "x 3 2 0 1 0"}}));
    EXPECT_EQ(strummedNotes(), (std::vector<int>{48, 52, 55, 60, 64}));
}

TEST_F(ChordsTabsFixture, AddToListGivesTheTuningAndTheMovedTab) {
    selectKey("G");
    click(Id::AddToList);
    selectTuning(test::kDropD);
    click(Id::AddToList);
    selectKey("B");
    click(Id::AddToList);
    EXPECT_EQ(rig.host.playlist, (std::vector<model::Chord>{
                                     {"G", "G", "3 2 0 0 0 3"},
                                     {"G", "G - Drop D", "5 2 0 0 0 3"},
                                 }));
    // Each keeps the tuning it was shown in, so the playlist plays what was heard.
    EXPECT_EQ(rig.host.playlistTunings,
              (std::vector<std::string>{"E1,A1,D2,G2,B2,E3", test::kDropD.Notes}));
}

TEST_F(ChordsTabsFixture, RefreshesFollowTheLibrary) {
    selectKey("B");
    selectTuning(test::kDropD);
    rig.library.Chords.Add(model::Chord("B", "B7", "x 2 1 2 0 2"));
    page.refreshChords();
    EXPECT_EQ(chordNames(), (QStringList{"B7"}));

    rig.library.Tunings.Add({"Half down", "D#1,G#1,C#2,F#2,A#2,D#3"});
    page.refreshTunings();
    EXPECT_EQ(get<QComboBox>(Id::TuningCombo)->count(), 4);
    EXPECT_EQ(page.fretboardView().tuning(), model::Tuning::standard());
    EXPECT_EQ(tabLine(), "Tab: x 2 1 2 0 2");
}

TEST_F(ChordsTabsFixture, SettingsAndWhiteBackgroundFollowEachRefresh) {
    const QColor desktop = QApplication::palette().color(QPalette::Window);
    auto& settings = rig.library.Settings;
    settings.Whitebackgroundcolor = true;
    settings.Lefthanded = true;
    page.refreshChords();
    EXPECT_TRUE(page.fretboardView().leftHanded());
    EXPECT_TRUE(page.fretboardView().whiteBackground());
    EXPECT_EQ(page.grab().toImage().pixelColor(300, 5), test::kWhite);
    EXPECT_EQ(get<QLabel>(Id::TabLine)->palette().color(QPalette::WindowText), Qt::black);
    EXPECT_EQ(chords()->palette().color(QPalette::Base), test::kWhite);

    settings.Whitebackgroundcolor = false;
    page.refreshChords();
    EXPECT_FALSE(page.fretboardView().whiteBackground());
    EXPECT_EQ(page.palette().color(QPalette::Window), desktop);
}

TEST_F(ChordsTabsFixture, BracketsAroundTheKeyListInTheDecorationColour) {
    const QImage shot = page.grab().toImage();
    for (QPoint at : {QPoint(23, 200), QPoint(40, 190), QPoint(23, 345), QPoint(40, 357)}) {
        EXPECT_EQ(shot.pixelColor(at), page.decorationColour()) << at.x() << "," << at.y();
    }
}

TEST_F(ChordsTabsFixture, TheChordIsDrawnTurnedAndColouredAsTheSettingsSay) {
    auto& settings = rig.library.Settings;
    settings.Lefthanded = true;
    settings.Clrdots1 = 200;
    settings.Clrdots2 = 30;
    settings.Clrdots3 = 10;
    page.refreshChords();
    fretboard::FretboardView& view = page.fretboardView();
    EXPECT_EQ(view.style(), fretboard::fretboardStyle(settings));
    const QImage image = fretboard::testing::renderClient(view, view.width(), view.height());
    const model::TabTokens tokens = model::splitTab(view.chord().Tab);
    int markers = 0;
    for (int s = 1; s <= 6; ++s) {
        const int fret = model::fretOf(tokens[static_cast<std::size_t>(6 - s)]);
        if (fret < 0)
            continue;
        const QPoint centre = view.fretboardGeometry().centre(s, fret);
        EXPECT_EQ(image.pixelColor(centre), QColor(200, 30, 10)) << "string " << s;
        ++markers;
    }
    EXPECT_GT(markers, 0);
}

} // namespace
} // namespace strumvale::pages
