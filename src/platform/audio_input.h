#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <vector>

namespace strumvale::platform {

// A device the tuner may listen to: id opens it, name is shown.
struct AudioInputDevice {
    std::string id;
    std::string name;

    bool operator==(const AudioInputDevice&) const = default;
};

// A capture device that cannot be opened, or failed or went away while it
// was read. Its text names the device, to be shown to the user as it is.
class AudioInputError : public std::runtime_error {
public:
    AudioInputError(std::string device, const std::string& message)
        : std::runtime_error(message), device_(std::move(device)) {}

    const std::string& device() const { return device_; }

private:
    std::string device_;
};

// One open capture device, mono float. Used by one thread at a time.
class AudioInput {
public:
    virtual ~AudioInput() = default;
    virtual int sampleRate() const = 0;
    // Fills up to samples.size() samples, blocking as a real device does;
    // returns how many. Throws AudioInputError when the device fails or
    // disappears.
    virtual std::size_t read(std::span<float> samples) = 0;
    // The same, but returns soon after stop is requested, with what it has by
    // then (maybe nothing). An input that never blocks for long need not
    // override it.
    virtual std::size_t readOrStop(std::span<float> samples, std::stop_token stop) {
        return stop.stop_requested() ? 0 : read(samples);
    }
};

// ALSA's capture devices: "default" first, which reaches the sound server
// when there is one, then each card's capture PCMs through the plug layer
// ("plughw:CARD,DEV"), named after card and PCM. Empty when there are none.
std::vector<AudioInputDevice> alsaInputDevices();

// Opens an ALSA capture PCM by its ALSA name at 48000 or 44100 Hz in periods
// of about 10 ms, one channel when it offers that (more are mixed down).
// AudioInputError when it cannot be opened.
std::unique_ptr<AudioInput> openAlsaInput(const std::string& id);

} // namespace strumvale::platform
