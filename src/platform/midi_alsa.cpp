#include "platform/midi_provider.h"

#include <RtMidi.h>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace strumvale::platform {
namespace {

using namespace midi_result;

constexpr const char* kClientName = "Strumvale";

// RtMidi would print and throw when the machine has no sequencer (ALSA too
// prints); look first, so that such a machine just has no ports.
bool sequencerAvailable() {
    int fd = ::open("/dev/snd/seq", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

MidiResult resultOf(RtMidiError::Type type) {
    switch (type) {
    case RtMidiError::INVALID_DEVICE:
    case RtMidiError::INVALID_PARAMETER:
    case RtMidiError::NO_DEVICES_FOUND:
        return BadDeviceId;
    case RtMidiError::MEMORY_ERROR:
        return NoMemory;
    case RtMidiError::DRIVER_ERROR:
        return NoDriver;
    default:
        return Error;
    }
}

// Collects the errors an RtMidi object reports once a callback is set,
// instead of printing them.
struct ErrorCapture {
    bool failed = false;
    RtMidiError::Type type = RtMidiError::UNSPECIFIED;

    static void record(RtMidiError::Type type, const std::string&, void* data) {
        if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING)
            return;
        auto* capture = static_cast<ErrorCapture*>(data);
        capture->failed = true;
        capture->type = type;
    }
};

class AlsaPort : public MidiOutPort {
public:
    explicit AlsaPort(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {
        out_->setErrorCallback(&ErrorCapture::record, &errors_);
    }

    MidiResult sendShortMessage(std::uint32_t message) override {
        unsigned char bytes[3] = {static_cast<unsigned char>(message & 0xFF),
                                  static_cast<unsigned char>((message >> 8) & 0xFF),
                                  static_cast<unsigned char>((message >> 16) & 0xFF)};
        unsigned length = shortMessageLength(bytes[0]);
        if (length == 0)
            return InvalidParameter;
        // RtMidi's encoder is shared per port.
        std::lock_guard lock(mutex_);
        errors_.failed = false;
        try {
            out_->sendMessage(bytes, length);
        } catch (const RtMidiError& error) {
            return resultOf(error.getType());
        }
        return errors_.failed ? resultOf(errors_.type) : NoError;
    }

private:
    std::mutex mutex_;
    ErrorCapture errors_;
    std::unique_ptr<RtMidiOut> out_;
};

template <typename Midi> std::unique_ptr<Midi> client(ErrorCapture& errors) {
    if (!sequencerAvailable())
        return nullptr;
    try {
        auto midi = std::make_unique<Midi>(RtMidi::LINUX_ALSA, kClientName);
        midi->setErrorCallback(&ErrorCapture::record, &errors);
        return midi;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

template <typename Midi> unsigned portCount() {
    ErrorCapture errors;
    auto midi = client<Midi>(errors);
    if (!midi)
        return 0;
    unsigned count = midi->getPortCount();
    return errors.failed ? 0 : count;
}

template <typename Midi> MidiResult portName(unsigned index, std::string& name) {
    ErrorCapture errors;
    auto midi = client<Midi>(errors);
    if (!midi)
        return BadDeviceId;
    if (index >= midi->getPortCount())
        return BadDeviceId;
    std::string found = midi->getPortName(index);
    if (errors.failed)
        return resultOf(errors.type);
    name = found;
    return NoError;
}

class AlsaProvider : public MidiDeviceProvider {
public:
    unsigned outputCount() override { return portCount<RtMidiOut>(); }
    MidiResult outputName(unsigned index, std::string& name) override {
        return portName<RtMidiOut>(index, name);
    }
    unsigned inputCount() override { return portCount<RtMidiIn>(); }
    MidiResult inputName(unsigned index, std::string& name) override {
        return portName<RtMidiIn>(index, name);
    }

    MidiResult openOutput(unsigned index, std::unique_ptr<MidiOutPort>& port) override {
        ErrorCapture errors;
        auto out = client<RtMidiOut>(errors);
        if (!out)
            return BadDeviceId;
        if (index >= out->getPortCount())
            return BadDeviceId;
        try {
            out->openPort(index, "Strumvale output");
        } catch (const RtMidiError& error) {
            return resultOf(error.getType());
        }
        if (errors.failed || !out->isPortOpen())
            return errors.failed ? resultOf(errors.type) : Allocated;
        port = std::make_unique<AlsaPort>(std::move(out));
        return NoError;
    }
};

} // namespace

std::shared_ptr<MidiDeviceProvider> alsaSequencerProvider() {
    return std::make_shared<AlsaProvider>();
}

} // namespace strumvale::platform
