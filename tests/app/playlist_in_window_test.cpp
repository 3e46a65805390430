#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "fretboard/staff_view.h"
#include "pages/chords_tabs_page.h"
#include "pages/playlist_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/playlist_page.h"
#include "uikit/dialog_builder.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace strumvale::test {
namespace {

TEST_F(AppTest, AChordHandedOverInAnotherTuningArrivesMovedAndNamed) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    pages::ChordsTabsPage& chords = main.pageTabs().chordsTabsPage();
    pages::PlaylistPage& playlist = main.pageTabs().playlistPage();
    auto* tunings = uikit::control<QComboBox>(chords, resources::ChordsTabsId::TuningCombo);
    tunings->setCurrentIndex(tunings->findText("Drop D"));
    uikit::control<QPushButton>(chords, resources::ChordsTabsId::AddToList)->click();

    auto* list = uikit::control<QListWidget>(playlist, resources::PlaylistId::Playlist);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "C - Drop D");
    EXPECT_EQ(list->currentRow(), -1) << "handing over does not select";
    ASSERT_EQ(playlist.staffView().chordCount(), 1);
    EXPECT_EQ(playlist.staffView().chord(0).Tab, "x 3 2 0 1 0")
        << "string 6 is muted, so Drop D moves nothing here";
    EXPECT_EQ(main.library().Playlist.entries()[0].Name, "C - Drop D");

    // A chord played on string 6 moves by the two semitones it was lowered.
    main.library().Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
    main.onChordsChanged();
    auto* keys = uikit::control<QListWidget>(chords, resources::ChordsTabsId::KeyList);
    keys->setCurrentRow(4); // G
    uikit::control<QPushButton>(chords, resources::ChordsTabsId::AddToList)->click();
    ASSERT_EQ(playlist.staffView().chordCount(), 2);
    EXPECT_EQ(playlist.staffView().chord(1), model::Chord("G", "G - Drop D", "5 2 0 0 0 3"));
}

} // namespace
} // namespace strumvale::test
