#pragma once

#include "platform/midi_api.h"
#include "sound/midi_exceptions.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace strumvale::midi {

// The devices as listed at one user action (start-up, the settings dialog
// opening); a position is the device id the settings store.
using DeviceSnapshot = platform::MidiDeviceSnapshot;
using OutputDevice = platform::MidiOutDevice;

inline DeviceSnapshot takeDeviceSnapshot() {
    return platform::midiDeviceSnapshot();
}

// The output at id in devices; null for an id that names none.
const OutputDevice* outputAt(const DeviceSnapshot& devices, int id);

// One MIDI output device. Opening, closing and sending may come from any
// thread; each happens whole, never interleaved with another.
class CMIDIOutDevice {
public:
    CMIDIOutDevice() = default;
    ~CMIDIOutDevice();
    CMIDIOutDevice(const CMIDIOutDevice&) = delete;
    CMIDIOutDevice& operator=(const CMIDIOutDevice&) = delete;

    // Closes first; throws CMIDIOutException and stays closed on failure.
    // A device that has gone since it was listed fails; nothing else is
    // opened in its place.
    void Open(const OutputDevice& device);
    // The device at deviceId of the devices there are now.
    void Open(unsigned deviceId);
    void Close();
    bool IsOpen() const { return opened_.load(); }
    // Nothing while closed; throws CMIDIOutException when the send fails.
    void SendShortMessage(std::uint32_t message);
    // The same, meant for time at: a device that keeps time plays it then,
    // plus its constant latency.
    void SendShortMessageAt(std::uint32_t message, platform::SteadyTime at);
    // The open device's latency; zero while closed.
    std::chrono::microseconds Latency();

    static unsigned deviceCount();
    // Throws CMIDIOutException for an id that names no device.
    static platform::MidiOutCaps QueryCaps(unsigned deviceId);

private:
    void closeLocked();
    template <typename Send> void send(Send send);

    std::mutex mutex_; // the handle, for opening, closing and sending alike
    std::atomic<bool> opened_{false};
    platform::MidiOutHandle handle_ = nullptr;
};

// Input devices are only ever listed.
class CMIDIInDevice {
public:
    static unsigned deviceCount();
    // Throws CMIDIInException for an id that names no device.
    static platform::MidiInCaps QueryCaps(unsigned deviceId);
};

// What a device drop-down list shows: every name in id order (the position
// is the id the settings store), the first selected when there is one.
struct DeviceListData {
    std::vector<std::string> names;
    int selection = -1;
};
DeviceListData outputDeviceList(const DeviceSnapshot& devices);
DeviceListData inputDeviceList(const DeviceSnapshot& devices);

} // namespace strumvale::midi
