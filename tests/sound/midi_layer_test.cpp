#include "platform/file.h"
#include "platform/midi_provider.h"
#include "sound/gm_names.h"
#include "sound/midi_message.h"
#include "sound/midi_out_device.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace strumvale;
using midi::CMIDIOutDevice;
using midi::CMIDIOutException;
using platform::ScopedMidiProviders;
using test::RecordingMidi;

using test::ScopedVariable;

namespace {

std::string openFailure(unsigned id) {
    CMIDIOutDevice device;
    try {
        device.Open(id);
    } catch (const CMIDIOutException& error) {
        EXPECT_FALSE(device.IsOpen());
        return error.what();
    }
    return "opened";
}

} // namespace

TEST(MidiMessage, PacksCommandChannelAndDataBytes) {
    EXPECT_EQ(midi::packShortMessage(0x90, 9, 36, 100), 0x642499u);
    // Every part is cut to 8 bits; nothing reaches the top byte.
    EXPECT_EQ(midi::packShortMessage(0x1C0, 0x102, 0x1FF, 0x180), 0x80FFC2u);

    midi::MidiShortMessage noteOn(0x90, 0, 40, 127, 1234);
    EXPECT_EQ(noteOn.packed(), 0x7F2890u);
    EXPECT_EQ(noteOn.data(), 0x7F28u);
    EXPECT_EQ(noteOn.length(), 3u);
    EXPECT_EQ(std::string(noteOn.bytes(), 3), "\x90\x28\x7F");
}

TEST(MidiOutDevice, OpensClosesAndSendsOnlyWhileOpen) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock, 2);
    ScopedMidiProviders scope({recorder});

    {
        CMIDIOutDevice device;
        EXPECT_FALSE(device.IsOpen());
        EXPECT_NO_THROW(device.SendShortMessage(0x7F2890));
        device.Close();

        device.Open(0);
        EXPECT_TRUE(device.IsOpen());
        device.SendShortMessage(0x7F2890);
        device.Open(1); // closes device 0 first
        EXPECT_EQ(recorder->openPorts(), 1);
        device.SendShortMessage(0x002880);
        device.Close();
        device.Close();
        EXPECT_FALSE(device.IsOpen());
        EXPECT_EQ(recorder->openPorts(), 0);
        device.SendShortMessage(0x7F2890);

        device.Open(0);
    }
    EXPECT_EQ(recorder->openPorts(), 0) << "destroying an open device closes it";
    EXPECT_EQ(recorder->lines(0), std::vector<std::string>{"0 90 28 7f"});
    EXPECT_EQ(recorder->lines(1), std::vector<std::string>{"0 80 28 00"});
}

TEST(MidiOutDevice, FailuresCarryTheSystemText) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock, 1);
    ScopedMidiProviders scope({recorder});

    EXPECT_EQ(openFailure(1), "The specified device identifier is out of range.");
    recorder->openResult = platform::midi_result::Allocated;
    EXPECT_EQ(openFailure(0),
              "The specified device is already in use. Wait until it is free, then try again.");
    recorder->openResult = platform::midi_result::NoError;

    CMIDIOutDevice device;
    device.Open(0);
    recorder->sendResult = platform::midi_result::NotReady;
    try {
        device.SendShortMessage(0x7F2890);
        ADD_FAILURE() << "a failing send throws";
    } catch (const CMIDIOutException& error) {
        CMIDIOutException copy = error;
        EXPECT_STREQ(copy.what(), "The hardware is busy with other data.");
        EXPECT_EQ(copy.result(), platform::midi_result::NotReady);
    }
    EXPECT_TRUE(device.IsOpen()) << "a failed send leaves the device open";

    char text[16];
    EXPECT_EQ(platform::midiOutErrorText(platform::midi_result::BadDeviceId, text, sizeof text),
              platform::midi_result::NoError);
    EXPECT_STREQ(text, "The specified d") << "cut to the buffer, terminated";
    EXPECT_EQ(platform::midiOutErrorText(12345, text, sizeof text),
              platform::midi_result::BadErrorNumber);
    EXPECT_STREQ(midi::CMIDIInException(12345).what(),
                 "The error number is not defined in the system.");
}

TEST(MidiDevices, ListsEveryProvidersDevicesInIdOrder) {
    sound::VirtualClock clock;
    auto first = std::make_shared<RecordingMidi>(clock, 2, std::vector<std::string>{"Keys"});
    auto second = std::make_shared<RecordingMidi>(clock, 1, std::vector<std::string>{"Pads"});
    ScopedMidiProviders scope({first, second});

    auto outputs = midi::outputDeviceList(midi::takeDeviceSnapshot());
    EXPECT_EQ(outputs.names, (std::vector<std::string>{"Recorder 0", "Recorder 1", "Recorder 0"}));
    EXPECT_EQ(outputs.selection, 0);
    EXPECT_EQ(midi::inputDeviceList(midi::takeDeviceSnapshot()).names,
              (std::vector<std::string>{"Keys", "Pads"}));
    EXPECT_THROW(CMIDIOutDevice::QueryCaps(3), CMIDIOutException);
    EXPECT_THROW(midi::CMIDIInDevice::QueryCaps(2), midi::CMIDIInException);

    // Device 2 is the second provider's first.
    CMIDIOutDevice device;
    device.Open(2);
    device.SendShortMessage(0x002880);
    EXPECT_TRUE(first->messages().empty());
    EXPECT_EQ(second->lines(0), std::vector<std::string>{"0 80 28 00"});

    ScopedMidiProviders none({});
    EXPECT_EQ(CMIDIOutDevice::deviceCount(), 0u);
    EXPECT_EQ(midi::outputDeviceList(midi::takeDeviceSnapshot()).selection, -1);
    EXPECT_EQ(openFailure(0), "The specified device identifier is out of range.");
}

TEST(MidiDevices, MachineDevicesComeInTheirOrderAndAlsaIsQuiet) {
    test::TempDir dir;
    ScopedVariable log("STRUMVALE_MIDI_LOG", dir.file("log.txt").c_str());
    sound::VirtualClock clock;
    auto ports = std::make_shared<RecordingMidi>(clock, 2, std::vector<std::string>{"Keys"});

    // The machine's ALSA ports, whatever they are, and looking at them
    // prints nothing, with or without a sequencer.
    std::string errors = dir.file("stderr.txt");
    std::fflush(stderr);
    int saved = ::dup(2);
    int file = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, 2);
    ::close(file);
    auto alsa = platform::alsaSequencerProvider();
    alsa->outputPorts();
    alsa->inputPorts();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::string printed;
    platform::readWholeFile(errors, printed);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(platform::alsaSequencerProvider(), alsa) << "one sequencer client for the program";

    // The sequencer's ports stand between the two fixed devices; here a
    // recording provider stands in for them, so the order is the same on
    // every machine.
    auto machine = platform::defaultMidiProviders();
    ASSERT_EQ(machine.size(), 3u);
    EXPECT_EQ(machine[1], alsa);
    machine[1] = ports;
    ScopedMidiProviders scope(machine);
    auto devices = midi::takeDeviceSnapshot();
    EXPECT_EQ(
        midi::outputDeviceList(devices).names,
        (std::vector<std::string>{"Built-in synthesizer", "Recorder 0", "Recorder 1", "MIDI log"}));
    EXPECT_EQ(midi::inputDeviceList(devices).names, std::vector<std::string>{"Keys"});

    ScopedVariable noLog("STRUMVALE_MIDI_LOG", nullptr);
    EXPECT_EQ(midi::outputDeviceList(midi::takeDeviceSnapshot()).names.back(), "Recorder 1")
        << "no log device without a log file";
}

TEST(MidiLog, AppendsOneFlushedLinePerMessage) {
    test::TempDir dir;
    std::string path = dir.file("midi.log");
    platform::replaceFile(path, "earlier line\n");
    ScopedMidiProviders scope({platform::midiLogProvider(path)});

    CMIDIOutDevice device;
    device.Open(0);
    device.SendShortMessage(midi::packShortMessage(0xC0, 0, 24, 0));
    device.SendShortMessage(midi::packShortMessage(0x90, 0, 40, 127));
    std::string text;
    platform::readWholeFile(path, text);
    // "earlier line", then "MICROSECONDS c0 18 00" and "MICROSECONDS 90 28 7f".
    ASSERT_EQ(text.rfind("earlier line\n", 0), 0u) << text;
    auto first = text.find(' ', 13), second = text.find(' ', first + 10);
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_EQ(text.substr(first, 10), " c0 18 00\n");
    EXPECT_EQ(text.substr(second), " 90 28 7f\n");
    long long opened = std::stoll(text.substr(13)), sent = std::stoll(text.substr(first + 10));
    EXPECT_LE(opened, sent);
    EXPECT_LT(sent, 10'000'000) << "microseconds since the device was opened";
    device.Close();

    ScopedMidiProviders unwritable({platform::midiLogProvider(dir.file("missing/midi.log"))});
    EXPECT_EQ(openFailure(0), "The MIDI log file (STRUMVALE_MIDI_LOG) cannot be written.");
}

TEST(BuiltInSynthesizer, FailsToOpenWithoutFontOrAudioOutput) {
    test::TempDir dir;
    ScopedMidiProviders scope({platform::builtInSynthesizerProvider()});
    EXPECT_EQ(CMIDIOutDevice::QueryCaps(0).name, "Built-in synthesizer");
    {
        ScopedVariable font("STRUMVALE_SOUNDFONT", dir.file("missing.sf2").c_str());
        EXPECT_EQ(openFailure(0), "No General MIDI sound font could be loaded (install "
                                  "fluid-soundfont-gm or set STRUMVALE_SOUNDFONT).");
    }
    {
        ScopedVariable driver("STRUMVALE_AUDIO_DRIVER", "no-such-driver");
        EXPECT_EQ(openFailure(0),
                  "The built-in synthesizer found no audio output (see STRUMVALE_AUDIO_DRIVER).");
    }
    ScopedVariable driver("STRUMVALE_AUDIO_DRIVER", "file");
    ScopedVariable file("STRUMVALE_AUDIO_FILE", dir.file("out.raw").c_str());
    CMIDIOutDevice device;
    ASSERT_NO_THROW(device.Open(0));
    device.SendShortMessage(midi::packShortMessage(0x90, 0, 45, 100));
    device.Close();
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.raw")));
}

TEST(GeneralMidiNames, PositionsBecomeProgramsAndRowsNotes) {
    const auto& instruments = sound::instrumentNames();
    EXPECT_EQ(instruments[0], "Acoustic Grand Piano");
    EXPECT_EQ(instruments[24], "Acoustic Guitar (Nylon)");
    EXPECT_EQ(instruments[95], "Pad 8 (sweep)");
    EXPECT_EQ(instruments[96], "Guitar fret noise");
    EXPECT_EQ(instruments[103], "Gunshot");
    EXPECT_EQ(sound::programNumber(95), 95);
    EXPECT_EQ(sound::programNumber(96), 120);
    EXPECT_EQ(sound::programNumber(103), 127);

    const auto& percussion = sound::percussionNames();
    EXPECT_EQ(percussion[0], "Acoustic Bass Drum");
    EXPECT_EQ(percussion[45], "Mute Tringle");
    EXPECT_EQ(percussion[46], "Open Triangle");
    EXPECT_EQ(sound::percussionNote(0), 35);
    EXPECT_EQ(sound::percussionNote(46), 81);
}
