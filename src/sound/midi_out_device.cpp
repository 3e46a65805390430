#include "sound/midi_out_device.h"

#include <system_error>

namespace strumvale::midi {

using platform::MidiResult;
using namespace platform::midi_result;

void CMIDIOutDevice::Event::signal() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    signalled_.notify_one();
}

void CMIDIOutDevice::Event::wait() {
    std::unique_lock lock(mutex_);
    signalled_.wait(lock, [this] { return set_; });
    set_ = false;
}

CMIDIOutDevice::CMIDIOutDevice() {
    try {
        event_ = std::make_unique<Event>();
    } catch (const std::exception&) {
        throw CMIDIOutEventFailure();
    }
}

CMIDIOutDevice::~CMIDIOutDevice() {
    Close();
}

void CMIDIOutDevice::Open(unsigned deviceId) {
    Close();
    std::lock_guard lifecycle(lifecycle_);
    platform::MidiOutHandle handle = nullptr;
    if (MidiResult result = platform::midiOutOpen(handle, deviceId, &deviceCallback, this);
        result != NoError)
        throw CMIDIOutException(result);
    {
        std::lock_guard lock(sendMutex_);
        handle_ = handle;
        opened_ = true;
    }
    try {
        worker_ = std::thread(&CMIDIOutDevice::drainDoneQueue, this);
    } catch (const std::system_error&) {
        {
            std::lock_guard lock(sendMutex_);
            opened_ = false;
            handle_ = nullptr;
        }
        platform::midiOutClose(handle);
        throw CMIDIOutException(NoMemory);
    }
}

void CMIDIOutDevice::Close() {
    std::lock_guard lifecycle(lifecycle_);
    platform::MidiOutHandle handle;
    {
        // Once this is released no sender touches the handle again.
        std::lock_guard lock(sendMutex_);
        if (!opened_)
            return;
        opened_ = false;
        handle = handle_;
        handle_ = nullptr;
    }
    event_->signal();
    worker_.join();
    {
        std::lock_guard lock(queueMutex_);
        doneQueue_.clear();
    }
    platform::midiOutClose(handle);
}

void CMIDIOutDevice::SendShortMessage(std::uint32_t message) {
    std::lock_guard lock(sendMutex_);
    if (!opened_)
        return;
    if (MidiResult result = platform::midiOutShortMessage(handle_, message); result != NoError)
        throw CMIDIOutException(result);
}

void CMIDIOutDevice::deviceCallback(platform::MidiOutHandle, unsigned message, void* instance,
                                    std::uintptr_t, std::uintptr_t) {
    if (message == platform::kMidiOutDone)
        static_cast<CMIDIOutDevice*>(instance)->event_->signal();
}

void CMIDIOutDevice::drainDoneQueue() {
    for (;;) {
        event_->wait();
        if (!opened_)
            return;
        std::lock_guard lock(queueMutex_);
        // The stand-in keeps no per-buffer state, so freeing is all that
        // returning a buffer takes.
        if (!doneQueue_.empty())
            doneQueue_.pop_front();
    }
}

unsigned CMIDIOutDevice::GetNumDevs() {
    return platform::midiOutDeviceCount();
}

platform::MidiOutCaps CMIDIOutDevice::QueryCaps(unsigned deviceId) {
    platform::MidiOutCaps caps;
    if (MidiResult result = platform::midiOutCaps(deviceId, caps); result != NoError)
        throw CMIDIOutException(result);
    return caps;
}

unsigned CMIDIInDevice::GetNumDevs() {
    return platform::midiInDeviceCount();
}

platform::MidiInCaps CMIDIInDevice::QueryCaps(unsigned deviceId) {
    platform::MidiInCaps caps;
    if (MidiResult result = platform::midiInCaps(deviceId, caps); result != NoError)
        throw CMIDIInException(result);
    return caps;
}

namespace {

template <typename Device> DeviceListData deviceList() {
    DeviceListData list;
    unsigned count = Device::GetNumDevs();
    for (unsigned id = 0; id < count; ++id)
        list.names.push_back(Device::QueryCaps(id).name);
    if (!list.names.empty())
        list.selection = 0;
    return list;
}

} // namespace

DeviceListData outputDeviceList() {
    return deviceList<CMIDIOutDevice>();
}

DeviceListData inputDeviceList() {
    return deviceList<CMIDIInDevice>();
}

} // namespace strumvale::midi
