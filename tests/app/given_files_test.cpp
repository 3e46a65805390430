#include "app/file_handover.h"
#include "app/given_files.h"
#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "formats/chordpro.h"
#include "pages/playlist_page.h"
#include "resources/templates/playlist_page.h"
#include "songs/song_window.h"
#include "support/qt_text.h"
#include "support/user_names.h"
#include "uikit/dialog_builder.h"

#include <QDir>
#include <QListWidget>
#include <atomic>
#include <filesystem>
#include <thread>

namespace strumvale::test {
namespace {

class GivenFilesTest : public AppTest {
protected:
    // default.gtr holds the fixture's C chords; the given file one G chord more.
    void SetUp() override {
        AppTest::SetUp();
        writeChordfile("default.gtr");
        std::filesystem::create_directory(dir.file(kUserFolder));
        given = dir.file(kUserFolder + "/" + kUserChordfile);
        writeChordfile(given, [](ChordLibrary& library) {
            library.Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
        });
    }
    app::MainDialog& startWith(const std::string& startupChordfile) {
        window =
            std::make_unique<app::MainDialog>(app::MainDialog::kProgramOptions, startupChordfile);
        QApplication::processEvents();
        return *window;
    }
    QStringList playlistRows() const {
        auto* list = uikit::control<QListWidget>(window->pageTabs().playlistPage(),
                                                 resources::PlaylistId::Playlist);
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows << list->item(row)->text();
        return rows;
    }

    std::string given;
};

TEST(GivenFiles, SongsAreToldByTheirExtensionsAndTheFirstArgumentIsTheFile) {
    using app::GivenFileKind;
    for (const char* song : {"a.cho", "B.CHOPRO", "/x/Sång.pro", "c.Cho"})
        EXPECT_EQ(app::kindOfGivenFile(song), GivenFileKind::Song) << song;
    for (const char* other : {"a.gtr", "b.GTR", "song.cho.zip", "noextension", "cho"})
        EXPECT_EQ(app::kindOfGivenFile(other), GivenFileKind::Chordfile) << other;

    EXPECT_FALSE(app::givenFile({"strumvale"}));
    EXPECT_EQ(app::givenFile({"strumvale", "/abs/Sånger.gtr", "more"}), qtext("/abs/Sånger.gtr"));
    EXPECT_EQ(app::givenFile({"strumvale", "", "rel/a.cho"}),
              QDir::current().absoluteFilePath("rel/a.cho"));
}

TEST_F(GivenFilesTest, AChordfileGivenAtStartOpensInsteadOfTheDefaultOne) {
    app::MainDialog& main = startWith(given);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(main.library().FileName, given);
    EXPECT_EQ(main.library().Chords.Count(), 3);
    EXPECT_EQ(main.statusLine().text(), qtext(given));
}

TEST_F(GivenFilesTest, AnUnreadableChordfileSaysSoAndTheWindowStartsAsWithout) {
    // No archive at all: the container's reason, as Open shows it.
    writeFile(dir.file("not a chordfile.gtr"), "just text");
    app::MainDialog& main = startWith(dir.file("not a chordfile.gtr"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_EQ(main.library().FileName, "default.gtr");
    EXPECT_EQ(main.library().Chords.Count(), 2);
    EXPECT_EQ(main.statusLine().text(), qtext(dir.file("default.gtr")));

    // One that is not there: "Could not open the file.", and the same start.
    shown.clear();
    window.reset();
    app::MainDialog& again = startWith(dir.file(kUserFolder + "/gone ł.gtr"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Could not open the file.");
    EXPECT_EQ(again.library().FileName, "default.gtr");
    EXPECT_EQ(again.library().Chords.Count(), 2);
}

TEST_F(GivenFilesTest, ASongGivenAtStartOpensInTheSongWindowAndAPlaylistOnItsPage) {
    writeFile(dir.file(kUserFolder + "/" + kUserSong), "{title: Vårvisa}\n[C]Vår [C7]visa\n");
    app::MainDialog& main = startWith({});
    app::openSongAtStart(main, qtext(dir.file(kUserFolder + "/" + kUserSong)));
    EXPECT_TRUE(shown.empty());
    ASSERT_TRUE(main.hasSongWindow());
    const songs::SongWindow& song = main.songWindow();
    EXPECT_TRUE(song.isVisible());
    EXPECT_EQ(song.windowTitle(), "Vårvisa");
    // Its chords are the default chordfile's.
    ASSERT_EQ(song.shapes().size(), 2u);
    EXPECT_EQ(song.shapes()[1].tab, "x 3 2 3 1 0");
    EXPECT_TRUE(playlistRows().isEmpty()) << "the playlist is not the song's container";
    EXPECT_EQ(main.library().FileName, "default.gtr");

    // A playlist this program saved opens on its page, as before.
    model::Playlist playlist;
    playlist.append(model::Chord("C", "C7", "x 3 2 3 1 0"));
    formats::savePlaylist(playlist, dir.file("set.cho"));
    app::openSongAtStart(main, qtext(dir.file("set.cho")));
    EXPECT_EQ(main.pageTabs().currentIndex(), app::PageTabCtrl::Playlist);
    EXPECT_EQ(playlistRows(), QStringList{"C7"});
}

TEST_F(GivenFilesTest, AFileHandedOverByALaterStartOpensAfterTheQuestionAboutUnsavedEdits) {
    app::MainDialog& main = startWith({});
    const QString socket = qtext(dir.file("handover.socket"));
    app::FileHandover handover(
        socket, [&main](const QString& path) { app::openHandedOverFile(main, path); });
    ASSERT_TRUE(handover.isListening());
    main.library().Modified = true;
    answers = {uikit::MessageAnswer::No};

    // The later start waits for the answer, so it runs beside the window's loop.
    std::atomic<int> handed{-1};
    std::thread later([&] { handed = app::handOverFile(socket, qtext(given)) ? 1 : 0; });
    while (handed < 0 || main.library().FileName != given)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    later.join();
    EXPECT_EQ(handed, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to default.gtr?");
    EXPECT_EQ(main.statusLine().text(), qtext(given));
    EXPECT_EQ(main.library().Chords.Count(), 3);

    // A song goes to the song window.
    writeFile(dir.file(kUserSong), "[Am]La [E]la\n");
    handed = -1;
    std::thread song(
        [&] { handed = app::handOverFile(socket, qtext(dir.file(kUserSong))) ? 1 : 0; });
    while (handed < 0 || !main.hasSongWindow() || !main.songWindow().isVisible())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    song.join();
    EXPECT_EQ(main.songWindow().path(), qtext(dir.file(kUserSong)));
    EXPECT_EQ(model::chordSequence(main.songWindow().shownSong()),
              (std::vector<std::string>{"Am", "E"}));

    // With no window to take it, a later start is told so.
    EXPECT_FALSE(app::handOverFile(qtext(dir.file("nobody.socket")), qtext(given),
                                   std::chrono::milliseconds(0)));
}

} // namespace
} // namespace strumvale::test
