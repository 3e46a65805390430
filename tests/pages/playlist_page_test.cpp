#include "fretboard/staff_view.h"
#include "page_rig.h"
#include "pages/playlist_page.h"
#include "resources/templates/playlist_page.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Id = resources::PlaylistId;

class PlaylistPageTest : public ::testing::Test {
protected:
    template <typename Widget> Widget* control(Id id) { return uikit::control<Widget>(page, id); }
    void click(Id id) {
        if (id == Id::MoveUp || id == Id::MoveDown)
            control<uikit::ImageButton>(id)->click();
        else
            control<QPushButton>(id)->click();
    }
    QListWidget* playlist() { return control<QListWidget>(Id::Playlist); }
    void selectKey(int row) { control<QListWidget>(Id::KeyList)->setCurrentRow(row); }
    void selectChord(int row) { control<QListWidget>(Id::ChordList)->setCurrentRow(row); }
    // The marks of the staff's column, top line first.
    QStringList column(int index) {
        fretboard::StaffView& staff = page.staffView();
        QImage image(staff.size(), QImage::Format_RGB32);
        staff.render(&image);
        QStringList marks;
        for (const auto& label : staff.drawnLabels()) {
            if (label.kind == fretboard::DrawnLabel::Kind::Tab &&
                std::abs(label.box.center().x() - (20 + 20 * index)) <= 2)
                marks << label.text;
        }
        return marks;
    }

    LibraryRig rig;
    pages::PlaylistPage page{rig.host};
};

TEST_F(PlaylistPageTest, StartsWithTheChordsOfCAndAnEmptyPlaylist) {
    EXPECT_EQ(itemTexts(*control<QListWidget>(Id::KeyList)),
              (QStringList{"C", "D", "E", "F", "G", "A", "B"}));
    EXPECT_EQ(control<QListWidget>(Id::KeyList)->currentRow(), 0);
    EXPECT_EQ(itemTexts(*control<QListWidget>(Id::ChordList)), (QStringList{"C", "C7"}));
    EXPECT_EQ(control<QListWidget>(Id::ChordList)->currentRow(), 0);
    EXPECT_EQ(playlist()->count(), 0);
    EXPECT_FALSE(control<QPushButton>(Id::Play)->isEnabled());
    EXPECT_EQ(control<QPlainTextEdit>(Id::Lyrics)->toPlainText(), "Add your lyrics or notes here.");
    EXPECT_EQ(control<uikit::ImageButton>(Id::MoveUp)->accessibleName(), "Move up");
    EXPECT_EQ(control<uikit::ImageButton>(Id::MoveDown)->accessibleName(), "Move down");
    EXPECT_EQ(page.staffView().accessibleName(), "Tablature");

    // The library's chords change: the list follows.
    rig.library.Chords.Add(model::Chord("C", "Csus4", "x 3 3 0 1 1"));
    page.refreshPlaylist();
    EXPECT_EQ(itemTexts(*control<QListWidget>(Id::ChordList)), (QStringList{"C", "C7", "Csus4"}));
}

TEST_F(PlaylistPageTest, AddSeparatorRemoveAndMoveKeepListStaffAndLibraryAlike) {
    click(Id::Add); // C
    click(Id::AddSeparator);
    selectKey(5); // A
    selectChord(1);
    click(Id::Add); // Am7
    selectChord(0); // a double click selects the line it is on
    emit control<QListWidget>(Id::ChordList)
        ->itemDoubleClicked(control<QListWidget>(Id::ChordList)->item(0)); // Am
    EXPECT_EQ(itemTexts(*playlist()), (QStringList{"C", QString(45, '-'), "Am7", "Am"}));
    EXPECT_EQ(playlist()->currentRow(), 3);
    EXPECT_EQ(page.staffView().chords(), rig.library.Playlist.entries());
    EXPECT_EQ(rig.library.Playlist.entries()[1], model::Playlist::separator());
    EXPECT_EQ(column(0), QString("0 1 0 2 3 x").split(' '));
    EXPECT_EQ(column(1), QString("| | | | | |").split(' '));

    // The first up and the last down do nothing.
    playlist()->setCurrentRow(0);
    click(Id::MoveUp);
    playlist()->setCurrentRow(3);
    click(Id::MoveDown);
    EXPECT_EQ(itemTexts(*playlist()), (QStringList{"C", QString(45, '-'), "Am7", "Am"}));
    click(Id::MoveUp);
    EXPECT_EQ(itemTexts(*playlist()), (QStringList{"C", QString(45, '-'), "Am", "Am7"}));
    EXPECT_EQ(playlist()->currentRow(), 2);
    playlist()->setCurrentRow(0);
    click(Id::MoveDown);
    EXPECT_EQ(itemTexts(*playlist()), (QStringList{QString(45, '-'), "C", "Am", "Am7"}));
    EXPECT_EQ(page.staffView().chords(), rig.library.Playlist.entries());

    // Removing the last line selects the new last; the only line, nothing.
    playlist()->setCurrentRow(3);
    click(Id::Remove);
    EXPECT_EQ(playlist()->currentRow(), 2);
    playlist()->setCurrentRow(1);
    click(Id::Remove);
    EXPECT_EQ(itemTexts(*playlist()), (QStringList{QString(45, '-'), "Am"}));
    EXPECT_EQ(playlist()->currentRow(), 1);
    click(Id::Remove);
    click(Id::Remove);
    EXPECT_EQ(playlist()->count(), 0);
    EXPECT_EQ(playlist()->currentRow(), -1);
    click(Id::Remove);
    EXPECT_EQ(page.staffView().chordCount(), 0);
}

TEST_F(PlaylistPageTest, TwentySevenEntriesFillTheStaffAndNothingMoreIsTaken) {
    click(Id::Add);
    playlist()->setCurrentRow(0);
    // A chord handed over keeps the selection where it was.
    page.addChord(model::Chord("D", "D - Drop D", "0 0 0 2 3 2"));
    EXPECT_EQ(playlist()->currentRow(), 0);
    EXPECT_EQ(column(1), QString("2 3 2 0 0 0").split(' '));
    for (int i = 2; i < 27; ++i)
        click(i % 2 == 0 ? Id::Add : Id::AddSeparator);
    EXPECT_EQ(playlist()->count(), 27);
    EXPECT_EQ(page.staffView().chordCount(), 27);
    click(Id::Add);
    click(Id::AddSeparator);
    page.addChord(model::Chord("G", "G", "3 2 0 0 0 3"));
    EXPECT_EQ(playlist()->count(), 27);
    EXPECT_EQ(rig.library.Playlist.count(), 27);
}

TEST_F(PlaylistPageTest, ALanguageChangeKeepsTypedLyricsWhichTheLibraryKeeps) {
    control<QPlainTextEdit>(Id::Lyrics)->setPlainText("Verse one");
    EXPECT_EQ(rig.library.Playlist.Lyrics, "Verse one");
    page.retranslate();
    EXPECT_EQ(control<QPlainTextEdit>(Id::Lyrics)->toPlainText(), "Verse one");
    EXPECT_EQ(rig.library.Playlist.Lyrics, "Verse one");
}

TEST_F(PlaylistPageTest, AChangedPlaylistIsToldFromTheOneLastOpenedOrSaved) {
    EXPECT_FALSE(page.isChanged()) << "the start text is no change";
    click(Id::Add);
    EXPECT_TRUE(page.isChanged());
    page.setSavedTo("/songs/set.cho");
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(page.sheetTitle(), "set");
    EXPECT_EQ(page.songFile(), "/songs/set.cho");
    // Moving an entry and back is no change; a new tuning for it is.
    click(Id::AddSeparator);
    EXPECT_TRUE(page.isChanged());
    playlist()->setCurrentRow(1);
    click(Id::Remove);
    EXPECT_FALSE(page.isChanged());
    control<QPlainTextEdit>(Id::Lyrics)->setPlainText("la");
    EXPECT_TRUE(page.isChanged());

    model::Playlist opened;
    opened.append({"D", "D - Drop D", "0 0 0 2 3 2"}, "D1,A1,D2,G2,B2,E3");
    page.showOpenedPlaylist(opened, "/songs/other.cho");
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(rig.library.Playlist.tuningNotes(0), "D1,A1,D2,G2,B2,E3");
    EXPECT_EQ(control<QPlainTextEdit>(Id::Lyrics)->toPlainText(), "Add your lyrics or notes here.");

    // A song's chords sent here are in no file yet: changed, with no name.
    model::Playlist sent;
    sent.append({"G", "G", "3 2 0 0 0 3"});
    sent.Lyrics = "Vintern rasat";
    page.showNewPlaylist(sent);
    EXPECT_TRUE(page.isChanged());
    EXPECT_TRUE(page.songFile().isEmpty());
    EXPECT_EQ(control<QPlainTextEdit>(Id::Lyrics)->toPlainText(), "Vintern rasat");
    EXPECT_EQ(playlist()->count(), 1);
}

TEST_F(PlaylistPageTest, SongSheetShowsThePlaylistAsASong) {
    EXPECT_EQ(control<QPushButton>(Id::SongSheet)->text(), "Song sheet");
    EXPECT_FALSE(control<QPushButton>(Id::SongSheet)->isEnabled()) << "no chord, no sheet";
    click(Id::Add);
    click(Id::SongSheet);
    EXPECT_EQ(rig.host.songSheetsShown, 1);
}

} // namespace
} // namespace strumvale::test
