#include "settings_rig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <cstdio>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using Lines = std::vector<std::string>;

class MidiPageTest : public SettingsRig {
protected:
    MidiPageTest() {
        // The program plays on the first output, channel 1, at full volume.
        library.ChordPlayer.setup(0, 0, 0, 127);
    }
};

TEST_F(MidiPageTest, TestOutputStrumsWhatThePageShowsWithoutApplyingOrMovingTheProgram) {
    open();
    combo(Id::OutputDevice)->setCurrentIndex(1);
    combo(Id::Channel)->setCurrentIndex(2);
    combo(Id::Instrument)->setCurrentIndex(24);
    slider(Id::Volume)->setValue(27); // velocity 100
    slider(Id::ChordSpeed)->setValue(50);
    slider(Id::ChordDecay)->setValue(100);
    press(Id::TestOutput);
    ASSERT_TRUE(clock.runUntil([&] { return midi->lines(1).size() == 15; }));
    // C major, strings 5 to 1, on channel 3 of Synth B with program 24.
    EXPECT_EQ(midi->lines(1), (Lines{"0 c2 18 00", "0 92 30 64", "50 c2 18 00", "50 92 34 64",
                                     "100 c2 18 00", "100 92 37 64", "150 c2 18 00", "150 92 3c 64",
                                     "200 c2 18 00", "200 92 40 64", "350 82 30 00", "350 82 34 00",
                                     "350 82 37 00", "350 82 3c 00", "350 82 40 00"}));
    EXPECT_TRUE(midi->lines(0).empty());
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(library.Settings.Midioutdevice, 0);

    // The program's own strum still goes to its own device, as before.
    library.ChordPlayer.strum({"A", "A5", "x 0 x x x x"}, model::Tuning::standard());
    ASSERT_TRUE(clock.runUntil([&] { return !library.ChordPlayer.isPlaying(); }));
    EXPECT_EQ(midi->lines(0).size(), 3u);
    EXPECT_EQ(midi->lines(1).size(), 15u);
}

TEST_F(MidiPageTest, TestOutputNeedsADeviceAndReportsOneThatWillNotOpen) {
    open();
    midi->openResult = platform::midi_result::Allocated;
    press(Id::TestOutput);
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message.text, "Could not initialize the chordplayer!");
    EXPECT_TRUE(midi->messages().empty());

    midi->setOutputs({});
    dialog.reset();
    open();
    EXPECT_FALSE(control<QPushButton>(Id::TestOutput)->isEnabled());
}

TEST_F(MidiPageTest, ResetDeviceSilencesAndResetsEveryChannelThenOpensTheDeviceAgain) {
    open();
    press(Id::ResetDevice);
    Lines expected;
    for (int channel = 0; channel < 16; ++channel) {
        char status[3];
        std::snprintf(status, sizeof status, "%02x", 0xb0 + channel);
        expected.push_back("0 " + std::string(status) + " 7b 00");
        expected.push_back("0 " + std::string(status) + " 79 00");
    }
    EXPECT_EQ(midi->lines(0), expected);
    EXPECT_TRUE(library.ChordPlayer.isOpen());
    EXPECT_EQ(midi->openPorts(), 1);

    // It really opens the device again: one that now refuses stays closed.
    midi->openResult = platform::midi_result::Allocated;
    press(Id::ResetDevice);
    EXPECT_FALSE(library.ChordPlayer.isOpen());
}

TEST_F(MidiPageTest, TheReferencePitchIsChosenFrom415To466AndKeptOnApply) {
    auto& settings = library.Settings;
    settings.Referencepitch = 432;
    open();
    auto* pitch = control<QSpinBox>(Id::ReferencePitch);
    EXPECT_EQ(pitch->value(), 432);
    EXPECT_EQ(pitch->minimum(), 415);
    EXPECT_EQ(pitch->maximum(), 466);
    EXPECT_EQ(pitch->accessibleName(), "Reference pitch A (Hz):");
    settings.SettingsChanged = false;
    pitch->setValue(444);
    EXPECT_TRUE(applyEnabled());
    press(Id::Apply);
    EXPECT_EQ(settings.Referencepitch, 444);
}

TEST_F(MidiPageTest, TheWindowSizeIsChosenFromItsSizesAndKeptOnApply) {
    auto& settings = library.Settings;
    settings.Windowsize = 125;
    open();
    auto* size = control<QComboBox>(Id::WindowSize);
    QStringList sizes;
    for (int i = 0; i < size->count(); ++i)
        sizes << size->itemText(i);
    EXPECT_EQ(sizes, (QStringList{"100 %", "125 %", "150 %", "200 %"}));
    EXPECT_EQ(size->currentText(), "125 %");
    EXPECT_EQ(size->accessibleName(), "Window size:");
    EXPECT_EQ(control<QLabel>(Id::WindowSizeNote)->text(), "From the next start.");
    settings.SettingsChanged = false;
    size->setCurrentIndex(3);
    EXPECT_TRUE(applyEnabled());
    press(Id::Apply);
    EXPECT_EQ(settings.Windowsize, 200);
}

TEST_F(MidiPageTest, PlayNotesWhileEditingIsAChoiceKeptOnApply) {
    auto& settings = library.Settings;
    settings.Playnoteswhileediting = true;
    open();
    auto* box = control<QCheckBox>(Id::PlayNotesWhileEditing);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    settings.SettingsChanged = false;
    box->click();
    EXPECT_TRUE(applyEnabled());
    press(Id::Apply);
    EXPECT_FALSE(settings.Playnoteswhileediting);
}

} // namespace
} // namespace strumvale::test
