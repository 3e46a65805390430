#include "app/chordfile_info_dialog.h"
#include "app/page_tab_ctrl.h"
#include "app/status_line.h"
#include "app_fixture.h"
#include "resources/templates/chordfile_info_dialog.h"
#include "resources/templates/main_dialog.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace strumvale::test {
namespace {

using Id = resources::MainDialogId;

// Keeps the player busy until the window goes, which cuts the strum short.
void startLongStrum(ChordLibrary& library) {
    library.ChordPlayer.setHoldTime(60'000);
    library.ChordPlayer.strum(model::Chord("C", "C", "x 3 2 0 1 0"), model::Tuning::standard());
    ASSERT_TRUE(library.ChordPlayer.isPlaying());
}

void pressEscape(QWidget& widget) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&widget, &escape);
}

TEST_F(AppTest, ExitAsksOnlyWhenThereAreUnsavedEdits) {
    writeChordfile("default.gtr");
    const std::string before = readFile(dir.file("default.gtr"));
    app::MainDialog& main = start();
    ASSERT_TRUE(main.library().Loaded);
    main.show();
    main.exitCommand();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(shown.empty());

    main.show();
    main.library().Chords.Add(model::Chord("D", "D", "x x 0 2 3 2"));
    main.library().Modified = true;
    answers = {uikit::MessageAnswer::No};
    pressEscape(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Quit without saving?");
    EXPECT_EQ(shown[0].message.caption, "Save?");
    EXPECT_EQ(shown[0].message.buttons, uikit::MessageButtons::YesNo);
    EXPECT_EQ(shown[0].message.icon, uikit::MessageIcon::None);
    EXPECT_TRUE(main.isVisible());

    answers = {uikit::MessageAnswer::Yes};
    main.close();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.result(), QDialog::Rejected);
    // Quitting without saving leaves the loaded chordfile as it was on disk.
    EXPECT_EQ(readFile(dir.file("default.gtr")), before);
}

// The usual keys do what the buttons do, and the buttons' tooltips say so.
TEST_F(AppTest, TheCommandsAnswerToTheirKeys) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    main.show();
    QApplication::setActiveWindow(&main);
    const auto button = [&](Id id) { return uikit::control<uikit::ImageButton>(main, id); };
    EXPECT_EQ(button(Id::Open)->toolTip(), "Open (Ctrl+O)");
    EXPECT_EQ(button(Id::Save)->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(button(Id::Print)->toolTip(), "Print (Ctrl+P)");
    EXPECT_EQ(button(Id::Help)->toolTip(), "Help (F1)");
    EXPECT_EQ(button(Id::Exit)->toolTip(), "Exit (Ctrl+Q)");

    QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(fileRequests[0].kind, uikit::FileDialogKind::Open);
    EXPECT_EQ(fileRequests[1].kind, uikit::FileDialogKind::Save);
    answers = {uikit::MessageAnswer::No};
    QTest::keyClick(&main, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shownTexts(), std::vector<QString>{"This will print the Chordfile, Continue?"});
    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].endsWith("readme.html")) << opened[0].toStdString();

    // Ctrl+Q asks about unsaved edits, as Exit does.
    main.library().Modified = true;
    answers = {uikit::MessageAnswer::No};
    QTest::keyClick(&main, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shownTexts().back(), "Quit without saving?");
    EXPECT_TRUE(main.isVisible());
}

TEST_F(AppTest, ExitAndSettingsAreRefusedWhilePlaying) {
    app::MainDialog& main = start();
    main.show();
    startLongStrum(main.library());
    bool settingsOpened = false;
    main.setSettingsDialogRunner([&](app::MainDialog&) { return settingsOpened = true; });

    uikit::control<uikit::ImageButton>(main, Id::Exit)->click();
    pressEscape(main);
    uikit::control<uikit::ImageButton>(main, Id::Settings)->click();
    ASSERT_EQ(shown.size(), 3u);
    for (const ShownMessage& each : shown) {
        EXPECT_EQ(each.message.text, "Please stop playing first.");
        EXPECT_EQ(each.message.icon, uikit::MessageIcon::Information);
    }
    EXPECT_EQ(shown[0].message.caption, "Error");
    EXPECT_EQ(shown[2].message.caption, "Error...");
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(settingsOpened);
}

TEST_F(AppTest, TheSettingsCommandAppliesWhatTheDialogChanged) {
    app::MainDialog& main = start();
    main.setSettingsDialogRunner([](app::MainDialog& window) {
        window.library().Settings.Chordspeed = 35;
        window.library().Settings.SettingsChanged = true;
        return true;
    });
    main.settingsCommand();
    EXPECT_EQ(main.library().ChordPlayer.strumDelay(), 35);
    EXPECT_FALSE(main.library().Settings.SettingsChanged);

    // Cancelled: nothing is applied and the flag stays as the dialog left it.
    main.setSettingsDialogRunner([](app::MainDialog& window) {
        window.library().Settings.Chordspeed = 90;
        window.library().Settings.SettingsChanged = true;
        return false;
    });
    main.settingsCommand();
    EXPECT_EQ(main.library().ChordPlayer.strumDelay(), 35);
    EXPECT_TRUE(main.library().Settings.SettingsChanged);
}

TEST_F(AppTest, PlayerFailuresAreShownOnTheUiThread) {
    midi->openResult = platform::midi_result::Allocated;
    app::MainDialog& main = start();
    QApplication::processEvents();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message.text, "Could not initialize the chordplayer!");
    EXPECT_EQ(shown[0].message.caption, "Error");
    EXPECT_TRUE(shown[0].onUiThread);

    midi->openResult = platform::midi_result::NoError;
    main.library().ChordPlayer.reopen(0);
    midi->sendResult = platform::midi_result::InvalidHandle;
    main.library().ChordPlayer.setHoldTime(0);
    main.library().ChordPlayer.strum(model::Chord("C", "C", "x x x x x 0"),
                                     model::Tuning::standard());
    main.library().ChordPlayer.waitUntilIdle();
    QApplication::processEvents();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[1].message.text, "Could not play the note!");
    EXPECT_TRUE(shown[1].onUiThread);
}

TEST_F(AppTest, TheInformationDialogShowsTheLibrarysTexts) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    app::ChordfileInfoDialog dialog(main.library(), &main);
    using Info = resources::ChordfileInfoId;
    EXPECT_EQ(dialog.windowTitle(), "Chordfile Information");
    EXPECT_EQ(uikit::control<QGroupBox>(dialog, Info::StatisticsGroup)->title(),
              "Chordfile Statistics");
    EXPECT_EQ(uikit::control<QLabel>(dialog, Info::AuthorText)->text(), "Test Author");
    EXPECT_EQ(uikit::control<QLabel>(dialog, Info::HomepageText)->text(), "example.org");
    EXPECT_EQ(uikit::control<QLabel>(dialog, Info::InfoText)->text(), "A small library\nfor tests");
    EXPECT_EQ(uikit::control<QLabel>(dialog, Info::StatisticsText)->text(),
              "Chords: 2\nScales: 1\nTunings: 2\nDrumPatterns: 0");

    // Only OK closes it.
    dialog.show();
    pressEscape(dialog);
    EXPECT_TRUE(dialog.isVisible());
    uikit::control<QPushButton>(dialog, Info::Ok)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(AppTest, ClosingTheChordfileEmptiesTheLibraryAndTheStatusLine) {
    writeChordfile("default.gtr");
    app::MainDialog& main = start();
    main.closeChordfile();
    EXPECT_FALSE(main.library().Loaded);
    EXPECT_EQ(main.library().Chords.Count(), 0);
    EXPECT_EQ(main.statusLine().text(), "No Chordfile loaded...");
}

} // namespace
} // namespace strumvale::test
