#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "fretboard/staff_view.h"
#include "pages/chords_tabs_page.h"
#include "pages/playlist_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/main_dialog.h"
#include "resources/templates/playlist_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

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

TEST_F(AppTest, ThePlaylistPlaysAlongWithTheDrummersPatternUnderThePlayingRules) {
    writeChordfile("default.gtr", [](ChordLibrary& library) {
        model::DrumPattern hats;
        hats.Name = "Hats";
        hats.Instruments[0] = 7; // key 42
        hats.Volumes[0] = 90;
        for (int step = 1; step <= model::DrumPattern::kSteps; ++step)
            hats.Pattern[model::DrumPattern::cellIndex(step, 1)] = 1;
        library.DrumPatterns.Add(hats);
    });
    ChordLibrary::Options options = app::MainDialog::kProgramOptions;
    options.clock = &virtualClock;
    app::MainDialog& main = start(options);
    bool settingsOpened = false;
    main.setSettingsDialogRunner([&](app::MainDialog&) { return settingsOpened = true; });
    pages::PlaylistPage& playlist = main.pageTabs().playlistPage();
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    auto* play = uikit::control<QPushButton>(playlist, resources::PlaylistId::Play);

    play->click();
    uikit::control<uikit::ImageButton>(main, resources::MainDialogId::Settings)->click();
    ASSERT_EQ(shownTexts(), std::vector<QString>{"Please stop playing first."});
    EXPECT_FALSE(settingsOpened);
    ASSERT_TRUE(virtualClock.runUntil([&] { return !main.library().ChordPlayer.isPlaying(); }));
    QApplication::processEvents();

    int hats = 0, notes = 0;
    for (const std::string& line : midi->lines()) {
        const std::string message = line.substr(line.find(' ') + 1);
        hats += message == "99 2a 5a";
        notes += message.starts_with("90 ");
    }
    EXPECT_EQ(hats, 4) << "one bar of the pattern's steps";
    EXPECT_EQ(notes, 5);
    EXPECT_EQ(play->text(), "Play");
    EXPECT_EQ(playlist.staffView().playingColumn(), -1);
}

} // namespace
} // namespace strumvale::test
