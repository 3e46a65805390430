#include "platform/midi_api.h"

#include "platform/midi_provider.h"

#include <mutex>

namespace strumvale::platform {

struct MidiOutConnection {
    // Kept so that a provider replaced meanwhile outlives its open ports.
    std::shared_ptr<MidiDeviceProvider> provider;
    std::unique_ptr<MidiOutPort> port;
};

namespace {

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

MidiProviders& registry() {
    static MidiProviders providers = defaultMidiProviders();
    return providers;
}

} // namespace

MidiProviders midiProviders() {
    std::lock_guard lock(registryMutex());
    return registry();
}

void setMidiProviders(MidiProviders providers) {
    std::lock_guard lock(registryMutex());
    registry() = std::move(providers);
}

MidiProviders defaultMidiProviders() {
    return {builtInSynthesizerProvider(), alsaSequencerProvider(), midiLogProvider()};
}

MidiDeviceSnapshot midiDeviceSnapshot() {
    MidiDeviceSnapshot snapshot;
    for (const auto& provider : midiProviders()) {
        for (auto& port : provider->outputPorts())
            snapshot.outputs.push_back({std::move(port.name), std::move(port.identity), provider});
        for (auto& name : provider->inputPorts())
            snapshot.inputs.push_back(std::move(name));
    }
    return snapshot;
}

unsigned midiOutDeviceCount() {
    return static_cast<unsigned>(midiDeviceSnapshot().outputs.size());
}

MidiResult midiOutCaps(unsigned deviceId, MidiOutCaps& caps) {
    auto snapshot = midiDeviceSnapshot();
    if (deviceId >= snapshot.outputs.size())
        return midi_result::BadDeviceId;
    caps.name = snapshot.outputs[deviceId].name;
    return midi_result::NoError;
}

unsigned midiInDeviceCount() {
    return static_cast<unsigned>(midiDeviceSnapshot().inputs.size());
}

MidiResult midiInCaps(unsigned deviceId, MidiInCaps& caps) {
    auto snapshot = midiDeviceSnapshot();
    if (deviceId >= snapshot.inputs.size())
        return midi_result::BadDeviceId;
    caps.name = snapshot.inputs[deviceId];
    return midi_result::NoError;
}

MidiResult midiOutOpen(MidiOutHandle& handle, const MidiOutDevice& device) {
    handle = nullptr;
    if (!device.provider)
        return midi_result::BadDeviceId;
    auto connection = std::make_unique<MidiOutConnection>();
    connection->provider = device.provider;
    MidiResult result = device.provider->openOutput(device.identity, connection->port);
    if (result != midi_result::NoError)
        return result;
    if (!connection->port)
        return midi_result::Error;
    handle = connection.release();
    return midi_result::NoError;
}

MidiResult midiOutShortMessage(MidiOutHandle handle, std::uint32_t message) {
    if (handle == nullptr)
        return midi_result::InvalidHandle;
    return handle->port->sendShortMessage(message);
}

MidiResult midiOutShortMessageAt(MidiOutHandle handle, std::uint32_t message, SteadyTime at) {
    if (handle == nullptr)
        return midi_result::InvalidHandle;
    return handle->port->sendShortMessageAt(message, at);
}

std::chrono::microseconds midiOutLatency(MidiOutHandle handle) {
    return handle == nullptr ? std::chrono::microseconds{} : handle->port->latency();
}

MidiResult midiOutClose(MidiOutHandle handle) {
    if (handle == nullptr)
        return midi_result::InvalidHandle;
    delete handle;
    return midi_result::NoError;
}

} // namespace strumvale::platform
