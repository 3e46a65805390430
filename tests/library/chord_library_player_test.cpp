#include "library/chord_library.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <gtest/gtest.h>

using namespace strumvale;

TEST(ChordLibraryPlayer, OpensTheSettingsDeviceOnlyWhenAsked) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<test::RecordingMidi>(clock, 1);
    platform::ScopedMidiProviders scope({recorder});
    {
        ChordLibrary tool;
        EXPECT_FALSE(tool.ChordPlayer.isOpen());
    }
    {
        ChordLibrary program({.settingsFile = false, .openMidiDevice = true});
        EXPECT_TRUE(program.ChordPlayer.isOpen());
        EXPECT_EQ(program.ChordPlayer.velocity(), program.Settings.Volume);
    }
    EXPECT_EQ(recorder->openPorts(), 0);

    // A device that cannot be opened is reported, once someone listens.
    recorder->openResult = platform::midi_result::Allocated;
    ChordLibrary program({.settingsFile = false, .openMidiDevice = true});
    std::vector<std::string> reports;
    program.ChordPlayer.setErrorReport(
        [&](const sound::PlayerError& error) { reports.push_back(error.Text); });
    EXPECT_EQ(reports, std::vector<std::string>{"Could not initialize the chordplayer!"});
}
