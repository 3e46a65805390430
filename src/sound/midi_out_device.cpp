#include "sound/midi_out_device.h"

namespace strumvale::midi {

using platform::MidiResult;
using namespace platform::midi_result;

const OutputDevice* outputAt(const DeviceSnapshot& devices, int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= devices.outputs.size())
        return nullptr;
    return &devices.outputs[static_cast<std::size_t>(id)];
}

CMIDIOutDevice::~CMIDIOutDevice() {
    Close();
}

void CMIDIOutDevice::Open(const OutputDevice& device) {
    // One lock across closing and opening: no send and no other Open can
    // come between, so a message goes to the old device or the new one.
    std::lock_guard lock(mutex_);
    closeLocked();
    platform::MidiOutHandle handle = nullptr;
    if (MidiResult result = platform::midiOutOpen(handle, device); result != NoError)
        throw CMIDIOutException(result);
    handle_ = handle;
    opened_ = true;
}

void CMIDIOutDevice::Open(unsigned deviceId) {
    DeviceSnapshot devices = takeDeviceSnapshot();
    if (deviceId >= devices.outputs.size()) {
        Close();
        throw CMIDIOutException(BadDeviceId);
    }
    Open(devices.outputs[deviceId]);
}

void CMIDIOutDevice::Close() {
    std::lock_guard lock(mutex_);
    closeLocked();
}

void CMIDIOutDevice::closeLocked() {
    if (!opened_)
        return;
    opened_ = false;
    platform::midiOutClose(handle_);
    handle_ = nullptr;
}

template <typename Send> void CMIDIOutDevice::send(Send send) {
    std::lock_guard lock(mutex_);
    if (!opened_)
        return;
    if (MidiResult result = send(handle_); result != NoError)
        throw CMIDIOutException(result);
}

void CMIDIOutDevice::SendShortMessage(std::uint32_t message) {
    send([message](platform::MidiOutHandle handle) {
        return platform::midiOutShortMessage(handle, message);
    });
}

void CMIDIOutDevice::SendShortMessageAt(std::uint32_t message, platform::SteadyTime at) {
    send([message, at](platform::MidiOutHandle handle) {
        return platform::midiOutShortMessageAt(handle, message, at);
    });
}

std::chrono::microseconds CMIDIOutDevice::Latency() {
    std::lock_guard lock(mutex_);
    return opened_ ? platform::midiOutLatency(handle_) : std::chrono::microseconds{};
}

unsigned CMIDIOutDevice::deviceCount() {
    return platform::midiOutDeviceCount();
}

platform::MidiOutCaps CMIDIOutDevice::QueryCaps(unsigned deviceId) {
    platform::MidiOutCaps caps;
    if (MidiResult result = platform::midiOutCaps(deviceId, caps); result != NoError)
        throw CMIDIOutException(result);
    return caps;
}

unsigned CMIDIInDevice::deviceCount() {
    return platform::midiInDeviceCount();
}

platform::MidiInCaps CMIDIInDevice::QueryCaps(unsigned deviceId) {
    platform::MidiInCaps caps;
    if (MidiResult result = platform::midiInCaps(deviceId, caps); result != NoError)
        throw CMIDIInException(result);
    return caps;
}

namespace {

DeviceListData listOf(std::vector<std::string> names) {
    DeviceListData list;
    list.names = std::move(names);
    if (!list.names.empty())
        list.selection = 0;
    return list;
}

} // namespace

DeviceListData outputDeviceList(const DeviceSnapshot& devices) {
    std::vector<std::string> names;
    for (const auto& device : devices.outputs)
        names.push_back(device.name);
    return listOf(std::move(names));
}

DeviceListData inputDeviceList(const DeviceSnapshot& devices) {
    return listOf(devices.inputs);
}

} // namespace strumvale::midi
