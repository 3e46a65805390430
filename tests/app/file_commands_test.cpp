#include "app/file_commands.h"
#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "pages/chords_tabs_page.h"
#include "pages/scales_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/scales_page.h"
#include "support/held_lock.h"
#include "support/qt_text.h"
#include "support/user_names.h"

#include <QListWidget>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace strumvale::test {
namespace {

class FileCommandsTest : public AppTest {
protected:
    QString path(const std::string& name) const { return QString::fromStdString(dir.file(name)); }

    // What the Chords and Tabs and the Scales pages list.
    std::vector<QString> listed(const pages::Page& page, int id) const {
        std::vector<QString> names;
        const auto* list = page.control<QListWidget>(id);
        for (int row = 0; row < list->count(); ++row)
            names.push_back(list->item(row)->text());
        return names;
    }
    std::vector<QString> chordsOfC() const {
        return listed(window->pageTabs().chordsTabsPage(),
                      static_cast<int>(resources::ChordsTabsId::ChordList));
    }
    std::vector<QString> scales() const {
        return listed(window->pageTabs().scalesPage(),
                      static_cast<int>(resources::ScalesId::ScaleList));
    }
};

TEST_F(FileCommandsTest, OpenReadsTheChosenChordfileAndNamesItInTheStatusLine) {
    app::MainDialog& main = start();
    writeChordfile(dir.file("songs.gtr"), [](ChordLibrary& library) {
        library.Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
    });
    fileChoices = {path("songs.gtr")};
    app::openCommand(main);

    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].kind, uikit::FileDialogKind::Open);
    EXPECT_EQ(fileRequests[0].filter, "K9V Chordfile (*.gtr)");
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(main.library().Loaded);
    EXPECT_EQ(main.library().Chords.Count(), 3);
    EXPECT_EQ(main.statusLine().text(), path("songs.gtr"));
    EXPECT_EQ(chordsOfC(), (std::vector<QString>{"C", "C7"}));
    EXPECT_EQ(scales(), std::vector<QString>{"Major"});
    // Without edits Open asks nothing; the next dialog starts beside the file.
    fileChoices = {path("songs")};
    app::openCommand(main);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(fileRequests.back().directory, QString::fromStdString(dir.path()));
    EXPECT_TRUE(fileRequests.back().fileName.isEmpty()) << "Open offers no name";
}

TEST_F(FileCommandsTest, OpenWithUnsavedEditsAsksAndEachAnswerDoesWhatItSays) {
    writeChordfile(dir.file("mine.gtr"));
    writeChordfile(dir.file("other.gtr"), [](ChordLibrary& library) {
        library.Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
    });
    app::MainDialog& main = start();
    fileChoices = {path("mine.gtr")};
    app::openCommand(main);
    main.library().Chords.Add(model::Chord("D", "D", "x x 0 2 3 2"));
    main.library().Modified = true;

    // Cancel: no dialog, nothing read, the edit stays unsaved.
    answers = {uikit::MessageAnswer::Cancel};
    const std::size_t dialogs = fileRequests.size();
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to mine.gtr?");
    EXPECT_EQ(shown[0].message.caption, "Save?");
    EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNoCancel);
    EXPECT_EQ(fileRequests.size(), dialogs);
    EXPECT_EQ(main.library().Chords.Count(), 3);
    EXPECT_TRUE(main.library().Modified);

    // Yes: the edit is saved to the file first, then the other one opens.
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path("other.gtr")};
    app::openCommand(main);
    EXPECT_EQ(fileRequests.size(), dialogs + 1) << "saved without a dialog";
    ChordLibrary reread;
    ASSERT_TRUE(reread.LoadChordfile(dir.file("mine.gtr")));
    EXPECT_EQ(reread.Chords.Count(), 3);
    EXPECT_EQ(main.library().FileName, dir.file("other.gtr"));
    EXPECT_FALSE(main.library().Modified);

    // No: the edit is let go.
    main.library().Chords.Add(model::Chord("E", "E", "0 2 2 1 0 0"));
    main.library().Modified = true;
    shown.clear();
    answers = {uikit::MessageAnswer::No};
    fileChoices = {path("mine.gtr")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Save changes to other.gtr?");
    ASSERT_TRUE(reread.LoadChordfile(dir.file("other.gtr")));
    EXPECT_EQ(reread.Chords.Count(), 3) << "the edit was not saved";
    EXPECT_EQ(main.library().Chords.Count(), 3);
    EXPECT_EQ(main.library().FileName, dir.file("mine.gtr"));

    // Yes when the save fails: Open stops, and the edits are still there.
    std::filesystem::create_directory(dir.file("locked"));
    writeChordfile(dir.file("locked/ro.gtr"));
    fileChoices = {path("locked/ro.gtr")};
    app::openCommand(main);
    main.library().Chords.Add(model::Chord("E", "E", "0 2 2 1 0 0"));
    main.library().Modified = true;
    ::chmod(dir.file("locked").c_str(), 0555);
    shown.clear();
    answers = {uikit::MessageAnswer::Yes};
    fileChoices = {path("other.gtr")};
    app::openCommand(main);
    ::chmod(dir.file("locked").c_str(), 0755);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].message.icon, uikit::MessageIcon::Stop);
    EXPECT_EQ(main.library().FileName, dir.file("locked/ro.gtr"));
    EXPECT_EQ(main.library().Chords.Count(), 3);
    EXPECT_TRUE(main.library().Modified);
}

TEST_F(FileCommandsTest, NamesOutsideAsciiAreOpenedAndSavedAsTheyAre) {
    app::MainDialog& main = start();
    std::filesystem::create_directory(dir.file(kUserFolder));
    const std::string chordfile = dir.file(kUserFolder + "/" + kUserChordfile);
    writeChordfile(chordfile);
    fileChoices = {qtext(chordfile)};
    app::openCommand(main);
    EXPECT_TRUE(shown.empty()) << shownTexts().front().toStdString();
    ASSERT_TRUE(main.library().Loaded);
    EXPECT_EQ(main.library().FileName, chordfile);
    EXPECT_EQ(main.statusLine().text(), qtext(chordfile));

    // Saving under a new name puts exactly that name in the folder.
    main.library().Chords.Add(model::Chord("D", "D", "x x 0 2 3 2"));
    fileChoices = {qtext(dir.file(kUserFolder + "/Ny låt 🎸"))};
    app::saveCommand(main);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(main.statusLine().text(), qtext(dir.file(kUserFolder + "/Ny låt 🎸.gtr")));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file(kUserFolder)))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Ny låt 🎸.gtr", kUserChordfile}));
    ChordLibrary reread;
    ASSERT_TRUE(reread.LoadChordfile(dir.file(kUserFolder + "/Ny låt 🎸.gtr")));
    EXPECT_EQ(reread.Chords.Count(), 3);

    // Saving over a link replaces the file it points to and keeps the link.
    const std::string link = dir.file(kUserFolder + "/länk ł.gtr");
    std::filesystem::create_symlink(chordfile, link);
    main.library().Chords.Add(model::Chord("E", "E", "0 2 2 1 0 0"));
    fileChoices = {qtext(link)};
    app::saveCommand(main);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    ASSERT_TRUE(reread.LoadChordfile(chordfile));
    EXPECT_EQ(reread.Chords.Count(), 4);

    // A name the file system cannot hold: the system's own words, nothing written.
    fileChoices = {qtext(dir.file(kUserFolder + "/" + nameTooLong("")))};
    app::saveCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_TRUE(shown[0].message.text.contains(QString::fromLocal8Bit(std::strerror(ENAMETOOLONG))))
        << shown[0].message.text.toStdString();
    EXPECT_EQ(main.library().FileName, link);
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(dir.file(kUserFolder)))
        ++count;
    EXPECT_EQ(count, 3u);
}

TEST_F(FileCommandsTest, AFailedOpenEmptiesTheLibraryAndSaysSo) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    ASSERT_EQ(chordsOfC().size(), 2u);
    writeChordfile(dir.file("LOUD.GTR"));
    // ".GTR" is not ".gtr": the command looks for "LOUD.GTR.gtr", which is not there.
    fileChoices = {path("LOUD.GTR")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Could not open the file.");
    EXPECT_EQ(shown[0].message.caption, "Error");
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Information);
    EXPECT_FALSE(main.library().Loaded);
    EXPECT_EQ(main.library().Chords.Count(), 0);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
    // No page keeps listing what is gone.
    EXPECT_TRUE(chordsOfC().empty());
    EXPECT_TRUE(scales().empty());
}

TEST_F(FileCommandsTest, ADamagedArchiveIsRefusedAndTheLibraryKeepsItsContents) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    writeFile(dir.file("broken.gtr"), "PK\x03\x04 and then nothing sensible");
    fileChoices = {path("broken.gtr")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_TRUE(main.library().Loaded);
    EXPECT_EQ(main.library().Chords.Count(), 2);
    EXPECT_EQ(main.statusLine().text(), path("default.gtr"));
}

TEST_F(FileCommandsTest, AChordfileAnotherProgramIsWritingIsRefusedAndTheLoadedOneStays) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    writeChordfile(dir.file("busy.gtr"), [](ChordLibrary& library) {
        library.Chords.Add(model::Chord("C", "Cmaj7", "x 3 2 0 0 0"));
    });
    HeldLock writer(dir.file("busy.gtr"), LOCK_EX);
    fileChoices = {path("busy.gtr")};
    app::openCommand(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Cannot access the file '" + path("busy.gtr") +
                                         "': the file is in use by another program");
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_TRUE(main.library().Loaded);
    EXPECT_EQ(main.library().FileName, "default.gtr");
    EXPECT_EQ(main.statusLine().text(), path("default.gtr"));
    EXPECT_EQ(chordsOfC(), (std::vector<QString>{"C", "C7"}));
}

TEST_F(FileCommandsTest, SaveAppendsTheExtensionAndReplacesWithoutAsking) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    std::filesystem::create_directory(dir.file("out"));
    fileChoices = {path("out/mine")};
    app::saveCommand(main);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].kind, uikit::FileDialogKind::Save);
    ChordLibrary reread;
    ASSERT_TRUE(reread.LoadChordfile(dir.file("out/mine.gtr")));
    EXPECT_EQ(reread.Chords.Count(), 2);

    main.library().Chords.Add(model::Chord("D", "D", "x x 0 2 3 2"));
    fileChoices = {path("out/mine.gtr")};
    app::saveCommand(main);
    EXPECT_TRUE(shown.empty());
    ASSERT_TRUE(reread.LoadChordfile(dir.file("out/mine.gtr")));
    EXPECT_EQ(reread.Chords.Count(), 3);
    // The file saved is the one in use now, with nothing left unsaved, so
    // Exit asks nothing.
    EXPECT_EQ(main.statusLine().text(), path("out/mine.gtr"));
    EXPECT_EQ(main.library().FileName, dir.file("out/mine.gtr"));
    EXPECT_FALSE(main.library().Modified);
    main.exitCommand();
    EXPECT_TRUE(shown.empty());

    // The next save starts in its folder and offers its name.
    app::saveCommand(main);
    EXPECT_EQ(fileRequests.back().directory, path("out"));
    EXPECT_EQ(fileRequests.back().fileName, "mine.gtr");

    // A library begun afresh and saved is the loaded one, named in the status
    // line also after a change of language.
    main.closeChordfile();
    main.library().Chords.Add(model::Chord("A", "A", "x 0 2 2 2 0"));
    fileChoices = {path("out/fresh")};
    app::saveCommand(main);
    EXPECT_TRUE(main.library().Loaded);
    main.updateCaptions();
    EXPECT_EQ(main.statusLine().text(), path("out/fresh.gtr"));
}

TEST_F(FileCommandsTest, ASaveThatCannotBeWrittenShowsTheFileErrorAndKeepsTheOldFile) {
    app::MainDialog& main = start();
    std::filesystem::create_directory(dir.file("locked"));
    writeChordfile(dir.file("locked/old.gtr"));
    const std::string before = readFile(dir.file("locked/old.gtr"));
    ::chmod(dir.file("locked").c_str(), 0555);
    fileChoices = {path("locked/old.gtr")};
    app::saveCommand(main);
    ::chmod(dir.file("locked").c_str(), 0755);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::Stop);
    EXPECT_TRUE(shown[0].message.text.contains("old.gtr")) << shown[0].message.text.toStdString();
    EXPECT_EQ(readFile(dir.file("locked/old.gtr")), before);
    EXPECT_NE(main.library().FileName, dir.file("locked/old.gtr"))
        << "a failed save is no file in use";
}

} // namespace
} // namespace strumvale::test
