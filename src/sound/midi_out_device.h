#pragma once

#include "platform/midi_api.h"
#include "sound/midi_exceptions.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace strumvale::midi {

// A long-message buffer the device has finished with.
struct MidiHeader {
    std::vector<std::uint8_t> data;
};

// One MIDI output device. Open, Close and destruction belong to one thread;
// SendShortMessage may come from any thread, also while another closes.
class CMIDIOutDevice {
public:
    // Throws CMIDIOutEventFailure when the worker's wake-up cannot be made.
    CMIDIOutDevice();
    ~CMIDIOutDevice();
    CMIDIOutDevice(const CMIDIOutDevice&) = delete;
    CMIDIOutDevice& operator=(const CMIDIOutDevice&) = delete;

    // Closes first; throws CMIDIOutException and stays closed on failure.
    void Open(unsigned deviceId);
    void Close();
    bool IsOpen() const { return opened_.load(); }
    // Nothing while closed; throws CMIDIOutException when the send fails.
    void SendShortMessage(std::uint32_t message);

    static unsigned GetNumDevs();
    // Throws CMIDIOutException for an id that names no device.
    static platform::MidiOutCaps QueryCaps(unsigned deviceId);

private:
    // Auto-reset: one wait consumes one signal.
    class Event {
    public:
        void signal();
        void wait();

    private:
        std::mutex mutex_;
        std::condition_variable signalled_;
        bool set_ = false;
    };

    static void deviceCallback(platform::MidiOutHandle handle, unsigned message, void* instance,
                               std::uintptr_t, std::uintptr_t);
    void drainDoneQueue();

    std::mutex lifecycle_; // Open and Close
    std::mutex sendMutex_; // the handle, against senders
    std::atomic<bool> opened_{false};
    platform::MidiOutHandle handle_ = nullptr;
    std::unique_ptr<Event> event_;
    std::thread worker_;
    std::mutex queueMutex_;
    std::deque<std::unique_ptr<MidiHeader>> doneQueue_;
};

// Input devices are only ever listed.
class CMIDIInDevice {
public:
    static unsigned GetNumDevs();
    // Throws CMIDIInException for an id that names no device.
    static platform::MidiInCaps QueryCaps(unsigned deviceId);
};

// What a device drop-down list shows: every name in id order (the position
// is the id the settings store), the first selected when there is one.
struct DeviceListData {
    std::vector<std::string> names;
    int selection = -1;
};
DeviceListData outputDeviceList();
DeviceListData inputDeviceList();

} // namespace strumvale::midi
