#include "platform/midi_api.h"

#include "platform/midi_provider.h"

#include <mutex>

namespace strumvale::platform {

struct MidiOutConnection {
    // Kept so that a provider replaced meanwhile outlives its open ports.
    std::shared_ptr<MidiDeviceProvider> provider;
    std::unique_ptr<MidiOutPort> port;
    MidiOutCallback callback = nullptr;
    void* instance = nullptr;
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

// The provider holding device id and the id within it.
template <typename Count>
std::shared_ptr<MidiDeviceProvider> locate(unsigned& deviceId, Count count) {
    for (const auto& provider : midiProviders()) {
        unsigned devices = count(*provider);
        if (deviceId < devices)
            return provider;
        deviceId -= devices;
    }
    return nullptr;
}

unsigned outputs(MidiDeviceProvider& provider) {
    return provider.outputCount();
}
unsigned inputs(MidiDeviceProvider& provider) {
    return provider.inputCount();
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

unsigned midiOutDeviceCount() {
    unsigned count = 0;
    for (const auto& provider : midiProviders())
        count += provider->outputCount();
    return count;
}

MidiResult midiOutCaps(unsigned deviceId, MidiOutCaps& caps) {
    auto provider = locate(deviceId, outputs);
    if (!provider)
        return midi_result::BadDeviceId;
    return provider->outputName(deviceId, caps.name);
}

MidiResult midiOutOpen(MidiOutHandle& handle, unsigned deviceId, MidiOutCallback callback,
                       void* instance) {
    handle = nullptr;
    auto provider = locate(deviceId, outputs);
    if (!provider)
        return midi_result::BadDeviceId;
    auto connection = std::make_unique<MidiOutConnection>();
    connection->provider = provider;
    connection->callback = callback;
    connection->instance = instance;
    MidiResult result = provider->openOutput(deviceId, connection->port);
    if (result != midi_result::NoError)
        return result;
    if (!connection->port)
        return midi_result::Error;
    handle = connection.release();
    if (callback)
        callback(handle, kMidiOutOpened, instance, 0, 0);
    return midi_result::NoError;
}

MidiResult midiOutShortMessage(MidiOutHandle handle, std::uint32_t message) {
    if (handle == nullptr)
        return midi_result::InvalidHandle;
    return handle->port->sendShortMessage(message);
}

MidiResult midiOutClose(MidiOutHandle handle) {
    if (handle == nullptr)
        return midi_result::InvalidHandle;
    std::unique_ptr<MidiOutConnection> connection(handle);
    connection->port.reset();
    if (connection->callback)
        connection->callback(handle, kMidiOutClosed, connection->instance, 0, 0);
    return midi_result::NoError;
}

unsigned midiInDeviceCount() {
    unsigned count = 0;
    for (const auto& provider : midiProviders())
        count += provider->inputCount();
    return count;
}

MidiResult midiInCaps(unsigned deviceId, MidiInCaps& caps) {
    auto provider = locate(deviceId, inputs);
    if (!provider)
        return midi_result::BadDeviceId;
    return provider->inputName(deviceId, caps.name);
}

} // namespace strumvale::platform
