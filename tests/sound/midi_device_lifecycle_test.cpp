#include "platform/midi_provider.h"
#include "sound/chord_player.h"
#include "sound/midi_out_device.h"
#include "sound/virtual_clock.h"
#include "support/recording_midi.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace strumvale;
using midi::CMIDIOutDevice;
using platform::ScopedMidiProviders;
using test::RecordingMidi;

namespace {

// The names of the devices the messages went to, in order.
std::vector<std::string> receivers(RecordingMidi& recorder) {
    std::vector<std::string> names;
    for (const auto& message : recorder.messages())
        names.push_back(message.name);
    return names;
}

} // namespace

TEST(MidiDeviceSnapshot, OpensTheListedDeviceEvenAfterOthersCameOrWent) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock);
    recorder->setOutputs({"Keyboard", "Sound module", "Drum machine"});
    ScopedMidiProviders scope({recorder});
    midi::DeviceSnapshot listed = midi::takeDeviceSnapshot();
    EXPECT_EQ(midi::outputDeviceList(listed).names,
              (std::vector<std::string>{"Keyboard", "Sound module", "Drum machine"}));

    // The keyboard is unplugged and a new port appears: every position moves.
    recorder->setOutputs({"Sound module", "Synth", "Drum machine"});
    CMIDIOutDevice device;
    device.Open(listed.outputs[1]);
    device.SendShortMessage(0x7F2890);
    device.Open(listed.outputs[2]);
    device.SendShortMessage(0x7F2890);
    EXPECT_EQ(receivers(*recorder), (std::vector<std::string>{"Sound module", "Drum machine"}));

    // A device that has gone is not replaced by whatever took its place.
    try {
        device.Open(listed.outputs[0]);
        ADD_FAILURE() << "a device that has gone cannot be opened";
    } catch (const midi::CMIDIOutException& error) {
        EXPECT_EQ(error.result(), platform::midi_result::BadDeviceId);
    }
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(recorder->openPorts(), 0);
}

TEST(MidiOutDevice, OpensClosesAndSendsFromManyThreadsLeaveOneDeviceAtMost) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock, 3);
    ScopedMidiProviders scope({recorder});
    midi::DeviceSnapshot listed = midi::takeDeviceSnapshot();
    CMIDIOutDevice device;
    std::atomic<bool> done{false};
    std::atomic<int> tooMany{0};
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < 3; ++i) {
        threads.emplace_back([&, i] {
            for (int round = 0; round < 300; ++round) {
                device.Open(listed.outputs[(i + round) % 3]);
                if (recorder->openPorts() > 1)
                    ++tooMany;
                if (round % 7 == 0)
                    device.Close();
            }
        });
    }
    std::thread sender([&] {
        while (!done)
            device.SendShortMessage(0x7F2890);
    });
    for (auto& thread : threads)
        thread.join();
    done = true;
    sender.join();
    EXPECT_EQ(tooMany, 0) << "an open never overlaps another";
    EXPECT_LE(recorder->openPorts(), 1);
    device.Close();
    EXPECT_EQ(recorder->openPorts(), 0) << "no device was left open behind the handle";
}

TEST(ChordPlayerDevices, EachActionListsOnceAndOpensTheDeviceTheUserChose) {
    sound::VirtualClock clock;
    auto recorder = std::make_shared<RecordingMidi>(clock);
    recorder->setOutputs({"Keyboard", "Sound module"});
    ScopedMidiProviders scope({recorder});
    sound::ChordPlayer player(clock);

    player.setup(1, 0, 0, 127);
    EXPECT_EQ(recorder->listings(), 1) << "start-up looks at the devices once";
    player.playNote("E1");
    EXPECT_EQ(receivers(*recorder).back(), "Sound module");

    // The settings dialog opens and lists; the user picks the drum machine,
    // and before the choice is applied the keyboard goes.
    recorder->setOutputs({"Keyboard", "Sound module", "Drum machine"});
    const midi::DeviceSnapshot& shown = player.refreshDevices();
    EXPECT_EQ(recorder->listings(), 2);
    ASSERT_EQ(shown.outputs.size(), 3u);
    recorder->setOutputs({"Sound module", "Drum machine"});
    player.reopen(2);
    EXPECT_EQ(recorder->listings(), 2) << "reopen opens what the dialog showed";
    player.playNote("E1");
    EXPECT_EQ(receivers(*recorder).back(), "Drum machine");

    // The chosen device is gone by the time it is applied: nothing opens,
    // rather than the device now at that position.
    std::vector<std::string> reports;
    player.setErrorReport([&](const sound::PlayerError& error) { reports.push_back(error.Text); });
    recorder->setOutputs({"Sound module"});
    player.reopen(0);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(reports, std::vector<std::string>{"Could not initialize the chordplayer!"});
}
