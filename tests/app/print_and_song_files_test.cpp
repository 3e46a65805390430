#include "app/file_commands.h"
#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "formats/chordpro.h"
#include "fretboard/staff_view.h"
#include "pages/playlist_page.h"
#include "resources/templates/playlist_page.h"
#include "songs/song_window.h"
#include "support/pdf_text.h"
#include "support/qt_text.h"
#include "support/user_names.h"
#include "uikit/dialog_builder.h"
#include "uikit/print_dialog.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <filesystem>

namespace strumvale::test {
namespace {

class PrintAndSongFilesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        uikit::setPrintDialogHandler([this](QWidget*, QPrinter& printer) {
            ++printDialogs;
            if (!printTo)
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(*printTo));
            return true;
        });
    }
    void TearDown() override {
        uikit::setPrintDialogHandler({});
        AppTest::TearDown();
    }

    app::MainDialog& startOnPlaylist() {
        writeChordfile("default.gtr");
        app::MainDialog& main = start();
        main.pageTabs().setCurrentIndex(app::PageTabCtrl::Playlist);
        return main;
    }
    pages::PlaylistPage& page() const { return window->pageTabs().playlistPage(); }
    QStringList listedEntries() const {
        QStringList lines;
        auto* list = uikit::control<QListWidget>(page(), resources::PlaylistId::Playlist);
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
    QPlainTextEdit* lyricsBox() const {
        return uikit::control<QPlainTextEdit>(page(), resources::PlaylistId::Lyrics);
    }
    QString path(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
    // The one message so far was this question, with Yes and No.
    void expectAsked(const char* question, const char* caption) const {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].message.text, question);
        EXPECT_EQ(shown[0].message.caption, caption);
        EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Question);
        EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNo);
    }

    int printDialogs = 0;
    std::optional<std::string> printTo;
};

TEST_F(PrintAndSongFilesTest, SaveAsksThenWritesTheSongAndOpenBringsItBack) {
    app::MainDialog& main = startOnPlaylist();
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    main.addChordToPlaylist(model::Playlist::separator(), model::kStandardTuningNotes);
    main.addChordToPlaylist(model::Chord("C", "C - Drop D", "x 3 2 0 1 3"), "D1,A1,D2,G2,B2,E3");
    lyricsBox()->setPlainText("# not a comment\nla la");

    // No: nothing is asked for and nothing written.
    answers = {uikit::MessageAnswer::No};
    app::saveCommand(main);
    expectAsked("This will save the Playlist, Continue?", "Save?");
    EXPECT_TRUE(fileRequests.empty());

    // A name without extension gets ".cho".
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path("set list")};
    app::saveCommand(main);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].kind, uikit::FileDialogKind::Save);
    EXPECT_EQ(fileRequests[0].filter, "ChordPro Song (*.cho *.chopro)");
    const std::string song = readFile(dir.file("set list.cho"));
    EXPECT_NE(song.find("{title: set list}"), std::string::npos) << song;
    EXPECT_NE(song.find("{define: C_-_Drop_D base-fret 1 frets x 3 2 0 1 3}"), std::string::npos)
        << song;

    // Another playlist meanwhile; Open on the page puts the saved one back.
    const model::Playlist saved = main.library().Playlist;
    main.addChordToPlaylist(model::Chord("G", "G", "3 2 0 0 0 3"), model::kStandardTuningNotes);
    lyricsBox()->setPlainText("other words");
    shown.clear();
    // The changed playlist is asked about; No lets it go.
    answers = {uikit::MessageAnswer::No};
    fileChoices = {path("set list.cho")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to the playlist?");
    EXPECT_EQ(shown[0].message.caption, "Save?");
    EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNoCancel);
    EXPECT_EQ(fileRequests.back().kind, uikit::FileDialogKind::Open);
    EXPECT_EQ(fileRequests.back().directory, QString::fromStdString(dir.path()))
        << "the dialog starts beside the song in use";
    EXPECT_EQ(fileRequests.back().filter, "ChordPro Song (*.cho *.chopro)");
    EXPECT_EQ(main.library().Playlist, saved) << "entries, tunings and lyrics";
    EXPECT_EQ(main.library().Playlist.tuningNotes(2), "D1,A1,D2,G2,B2,E3");
    EXPECT_EQ(listedEntries(), (QStringList{"C", QString(45, '-'), "C - Drop D"}));
    EXPECT_EQ(page().staffView().chords(), saved.entries());
    EXPECT_EQ(lyricsBox()->toPlainText(), "# not a comment\nla la");
    EXPECT_EQ(page().sheetTitle(), "set list");
    // The chordfile was not touched.
    EXPECT_EQ(main.library().Chords.Count(), 2);
}

TEST_F(PrintAndSongFilesTest, ExitWithAChangedPlaylistAsksAndSavesItWhereItCameFrom) {
    app::MainDialog& main = startOnPlaylist();
    main.show();
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    const auto expectPlaylistQuestion = [&] {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].message.text, "Save changes to the playlist?");
        EXPECT_EQ(shown[0].message.caption, "Save?");
        EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNoCancel);
    };

    // Cancel stays; so does Yes with the save dialog cancelled.
    answers = {uikit::MessageAnswer::Cancel};
    main.exitCommand();
    expectPlaylistQuestion();
    EXPECT_TRUE(main.isVisible());
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    main.exitCommand();
    expectPlaylistQuestion();
    EXPECT_EQ(fileRequests.back().kind, uikit::FileDialogKind::Save);
    EXPECT_TRUE(main.isVisible());

    // Yes with a name: saved, then the window goes.
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path("evening song")};
    main.exitCommand();
    expectPlaylistQuestion();
    EXPECT_FALSE(main.isVisible());
    EXPECT_NE(readFile(dir.file("evening song.cho")).find("[C]"), std::string::npos);

    // Changed again after that save: Yes writes the same file, no dialog.
    main.show();
    lyricsBox()->setPlainText("second verse");
    shown.clear();
    const std::size_t dialogs = fileRequests.size();
    answers = {uikit::MessageAnswer::Yes};
    main.exitCommand();
    expectPlaylistQuestion();
    EXPECT_EQ(fileRequests.size(), dialogs);
    EXPECT_NE(readFile(dir.file("evening song.cho")).find("second verse"), std::string::npos);
    EXPECT_FALSE(main.isVisible());

    // No lets it go, and the chordfile's own question still comes.
    main.show();
    lyricsBox()->setPlainText("third verse");
    main.library().Modified = true;
    shown.clear();
    answers = {uikit::MessageAnswer::No, uikit::MessageAnswer::No};
    main.exitCommand();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].message.text, "Quit without saving?");
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(readFile(dir.file("evening song.cho")).find("third verse"), std::string::npos);
}

TEST_F(PrintAndSongFilesTest, SongsWithNamesOutsideAsciiKeepThemInTheFileAndTheTitle) {
    app::MainDialog& main = startOnPlaylist();
    std::filesystem::create_directory(dir.file(kUserFolder));
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path(kUserFolder + "/" + kUserSong)};
    app::saveCommand(main);
    const std::string song = dir.file(kUserFolder + "/" + kUserSong);
    ASSERT_TRUE(std::filesystem::exists(song));
    EXPECT_TRUE(readFile(song).starts_with("{title: Sång för Åsa 🎸}\n")) << readFile(song);
    EXPECT_EQ(page().sheetTitle(), qtext("Sång för Åsa 🎸"));

    // Opened again from a fresh window: the same file, found by its name.
    window.reset();
    app::MainDialog& again = startOnPlaylist();
    shown.clear();
    fileChoices = {path(kUserFolder + "/" + kUserSong)};
    app::openCommand(again);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(listedEntries(), QStringList{"C"});
    EXPECT_EQ(page().songFile(), path(kUserFolder + "/" + kUserSong));
    // The next dialog starts in that folder and offers that name.
    answers = {uikit::MessageAnswer::Yes};
    app::saveCommand(again);
    EXPECT_EQ(fileRequests.back().directory, path(kUserFolder));
    EXPECT_EQ(fileRequests.back().fileName, qtext(kUserSong));

    // A name too long for the file system is the system's error; nothing is written.
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path(kUserFolder + "/" + nameTooLong(".cho"))};
    app::saveCommand(again);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].message.icon, uikit::MessageIcon::Stop);
    EXPECT_EQ(page().songFile(), path(kUserFolder + "/" + kUserSong));
}

TEST_F(PrintAndSongFilesTest, ASongFromElsewhereOpensBesideThePlaylistAndAPlaylistReplacesIt) {
    app::MainDialog& main = startOnPlaylist();
    model::Playlist saved;
    saved.append(model::Chord("G", "G", "3 2 0 0 0 3"));
    formats::savePlaylist(saved, dir.file("saved.cho"));
    // Long enough (a bar each) to be playing still when the files are opened.
    for (int i = 0; i < model::Playlist::kCapacity; ++i)
        main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    auto* play = uikit::control<QPushButton>(page(), resources::PlaylistId::Play);
    play->click();
    ASSERT_TRUE(page().isPlaying());

    // A song from elsewhere: its window, and nothing asked about the playlist,
    // which plays on untouched.
    writeFile(dir.file("next.cho"), "{title: Next}\n[Am]Next [E]song\n");
    fileChoices = {path("next.cho")};
    app::openCommand(main);
    EXPECT_TRUE(shown.empty());
    ASSERT_TRUE(main.hasSongWindow());
    EXPECT_EQ(main.songWindow().windowTitle(), "Next");
    EXPECT_TRUE(page().isPlaying());
    EXPECT_EQ(listedEntries().size(), model::Playlist::kCapacity);

    // Our own playlist: asked about the changed one, which stops for it.
    answers = {uikit::MessageAnswer::No};
    fileChoices = {path("saved.cho")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to the playlist?");
    EXPECT_FALSE(page().isPlaying());
    EXPECT_EQ(play->text(), "Play");
    EXPECT_EQ(listedEntries(), QStringList{"G"});
}

TEST_F(PrintAndSongFilesTest, TheSongWindowAndThePlaylistPageHandSongsToEachOther) {
    app::MainDialog& main = startOnPlaylist();
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    main.addChordToPlaylist(model::Chord("C", "C7", "x 3 2 3 1 0"), model::kStandardTuningNotes);
    page().setSavedTo(path("kept.cho"));
    // The playlist as a song sheet: its chords, its own shapes.
    uikit::control<QPushButton>(page(), resources::PlaylistId::SongSheet)->click();
    ASSERT_TRUE(main.hasSongWindow());
    songs::SongWindow& song = main.songWindow();
    EXPECT_TRUE(song.isVisible());
    EXPECT_EQ(song.windowTitle(), "kept");
    EXPECT_EQ(model::chordSequence(song.shownSong()), (std::vector<std::string>{"C", "C7"}));
    ASSERT_EQ(song.shapes().size(), 2u);
    EXPECT_EQ(song.shapes()[1].tab, "x 3 2 3 1 0");

    // A song sent back up a tone replaces the playlist, which was saved: nothing asked.
    song.transposeBy(2);
    song.findChild<QPushButton*>("sendToPlaylist")->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(listedEntries(), (QStringList{"D", "D7"}));
    EXPECT_EQ(main.pageTabs().currentIndex(), app::PageTabCtrl::Playlist);
    EXPECT_TRUE(page().isChanged()) << "kept in no file yet";
    // Sent again over that unsaved one: asked first, and Cancel keeps it.
    answers = {uikit::MessageAnswer::Cancel};
    song.transposeBy(2);
    song.findChild<QPushButton*>("sendToPlaylist")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to the playlist?");
    EXPECT_EQ(listedEntries(), (QStringList{"D", "D7"}));
}

TEST_F(PrintAndSongFilesTest, ABadSongIsReportedAndChangesNothing) {
    app::MainDialog& main = startOnPlaylist();
    main.addChordToPlaylist(model::Chord("C", "C", "x 3 2 0 1 0"), model::kStandardTuningNotes);
    lyricsBox()->setPlainText("keep me");
    // As kept in a song file, so that Open asks nothing about it.
    page().setSavedTo(path("kept.cho"));
    writeFile(dir.file("bad.cho"),
              "{title: Bad}\n[C]ok\n{define: Q base-fret one frets 0 0 0 0 0 0}\n");
    writeFile(dir.file("binary.cho"), std::string("\x7f"
                                                  "ELF\0\0\x01",
                                                  7));
    fileChoices = {path("bad.cho"), path("binary.cho"), path("missing.cho")};
    app::openCommand(main);
    app::openCommand(main);
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].message.text, "Could not open the file.\nThis line cannot be read: 3");
    EXPECT_EQ(shown[0].message.caption, "Error");
    EXPECT_EQ(shown[1].message.text, "Could not open the file.\nThis file is not a text file.");
    EXPECT_EQ(shown[2].message.icon, uikit::MessageIcon::Stop);
    EXPECT_TRUE(shown[2].message.text.contains("missing.cho"));
    EXPECT_EQ(listedEntries(), QStringList{"C"});
    EXPECT_EQ(lyricsBox()->toPlainText(), "keep me");
}

TEST_F(PrintAndSongFilesTest, PrintAsksWhatItPrintsAndPrintsThatSheet) {
    app::MainDialog& main = startOnPlaylist();
    main.addChordToPlaylist(model::Chord("C", "Cadd9", "x 3 2 0 3 0"), model::kStandardTuningNotes);

    // The Playlist page prints the playlist; No ends it before the print dialog.
    answers = {uikit::MessageAnswer::No};
    app::printCommand(main);
    expectAsked("This will print the Playlist, Continue?", "Print?");
    EXPECT_EQ(printDialogs, 0);

    answers = {uikit::MessageAnswer::Yes};
    printTo = dir.file("playlist.pdf");
    app::printCommand(main);
    EXPECT_EQ(printDialogs, 1);
    std::string text = pdfText(*printTo);
    EXPECT_NE(text.find("Cadd9"), std::string::npos) << text;
    // The box's hint is no lyric.
    EXPECT_EQ(text.find("Add your lyrics"), std::string::npos) << text;

    // Any other page prints the chordfile.
    main.pageTabs().setCurrentIndex(app::PageTabCtrl::Scales);
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    printTo = dir.file("chordfile.pdf");
    app::printCommand(main);
    expectAsked("This will print the Chordfile, Continue?", "Print?");
    text = pdfText(*printTo);
    EXPECT_NE(text.find("Author: Test Author"), std::string::npos) << text;
    EXPECT_NE(text.find("C7"), std::string::npos);
    EXPECT_NE(text.find("Major"), std::string::npos);

    // Cancelled in the print dialog: nothing printed, nothing said.
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    printTo.reset();
    app::printCommand(main);
    EXPECT_EQ(printDialogs, 3);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(PrintAndSongFilesTest, APrinterThatCannotPrintIsReported) {
    app::MainDialog& main = startOnPlaylist();
    answers = {uikit::MessageAnswer::Yes};
    printTo = dir.file("no folder/out.pdf");
    app::printCommand(main);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].message.text, "Could not print.");
    EXPECT_EQ(shown[1].message.icon, uikit::MessageIcon::Stop);
    EXPECT_FALSE(std::filesystem::exists(*printTo));
}

} // namespace
} // namespace strumvale::test
