#include "app/page_tab_ctrl.h"
#include "app_fixture.h"
#include "formats/settings_file.h"
#include "fretboard/fretboard_view.h"
#include "pages/chords_tabs_page.h"
#include "pages/editor_page.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/main_dialog.h"
#include "settings/settings_dialog.h"
#include "uikit/dialog_builder.h"
#include "uikit/image_button.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace strumvale::test {
namespace {

using SettingsId = resources::SettingsId;

TEST_F(AppTest, SettingsChosenInTheDialogReachThePlayerThePagesTheWindowAndTheFile) {
    std::filesystem::create_directory("lang");
    std::filesystem::copy_file(std::string(STRUMVALE_TOOLS_DIR) + "/lang/svenska.lng",
                               "lang/svenska.lng");
    writeChordfile("default.gtr");
    ChordLibrary::Options options = app::MainDialog::kProgramOptions;
    options.clock = &virtualClock;
    app::MainDialog& main = start(options);
    main.setSettingsDialogRunner([](app::MainDialog& window) {
        settings::SettingsDialog dialog(
            window.library(), [&window] { window.applySettings(); }, &window);
        auto combo = [&](SettingsId id) { return dialog.control<QComboBox>(id); };
        combo(SettingsId::Instrument)->setCurrentIndex(25);
        combo(SettingsId::Channel)->setCurrentIndex(2);
        combo(SettingsId::LanguageCombo)->setCurrentText("svenska");
        dialog.control<QRadioButton>(SettingsId::LeftHanded)->click();
        dialog.control<QRadioButton>(SettingsId::UpsideDownNeck)->click();
        dialog.control<QSlider>(SettingsId::ChordSpeed)->setValue(10);
        dialog.control<QSlider>(SettingsId::ChordDecay)->setValue(100);
        dialog.control<QPushButton>(SettingsId::Ok)->click();
        return dialog.result() == QDialog::Accepted;
    });
    main.settingsCommand();
    EXPECT_TRUE(shown.empty());

    pages::ChordsTabsPage& chords = main.pageTabs().chordsTabsPage();
    EXPECT_TRUE(chords.fretboardView().leftHanded());
    EXPECT_TRUE(chords.fretboardView().upsideDown());
    EXPECT_TRUE(main.pageTabs().editorPage().fretboardView().leftHanded());
    EXPECT_EQ(uikit::control<uikit::ImageButton>(main, resources::MainDialogId::Open)->text(),
              "Öppna");
    EXPECT_EQ(uikit::control<QPushButton>(chords, resources::ChordsTabsId::Play)->text(), "Spela");

    uikit::control<QPushButton>(chords, resources::ChordsTabsId::Play)->click();
    // The strum plays on the virtual clock, so no real time passes.
    ASSERT_TRUE(virtualClock.runUntil([&] { return !main.library().ChordPlayer.isPlaying(); }));
    const std::vector<RecordingMidi::Message> sent = midi->messages();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front().packed & 0xFFFF, 0x19C2u) << "program 25 on the third channel";

    window.reset();
    model::Settings expected;
    expected.Instrument = 25;
    expected.Midichannel = 2;
    expected.Language = "svenska";
    expected.Lefthanded = true;
    expected.Upsidedownneck = true;
    expected.Chordspeed = 10;
    expected.Chorddecay = 100;
    EXPECT_EQ(readFile(dir.file("settings.xml")), formats::settingsText(expected));
}

} // namespace
} // namespace strumvale::test
