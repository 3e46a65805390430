#pragma once

#include "platform/audio_input.h"
#include "sound/clock.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace strumvale::sound {

// The variable that makes a WAV file an input device, so that listening can
// be tried and tested without a microphone.
inline constexpr const char* kAudioInputFileVariable = "STRUMVALE_AUDIO_INPUT_FILE";

// The machine's capture devices: how they are listed and opened. Tests stand
// in for a microphone that is missing, broken or pulled out.
struct AudioInputSystem {
    std::function<std::vector<platform::AudioInputDevice>()> devices;
    // AudioInputError when the device cannot be opened.
    std::function<std::unique_ptr<platform::AudioInput>(const std::string& id)> open;
};

// ALSA's capture devices.
AudioInputSystem alsaAudioInputSystem();

// The system in use; ALSA's unless replaced. Used from one thread.
const AudioInputSystem& audioInputSystem();

// Replaces the system in use for its lifetime.
class ScopedAudioInputSystem {
public:
    explicit ScopedAudioInputSystem(AudioInputSystem system);
    ~ScopedAudioInputSystem();
    ScopedAudioInputSystem(const ScopedAudioInputSystem&) = delete;
    ScopedAudioInputSystem& operator=(const ScopedAudioInputSystem&) = delete;

private:
    AudioInputSystem saved_;
};

// The file named by STRUMVALE_AUDIO_INPUT_FILE first, when it is set (id
// "file:PATH", named after the file), then the system's capture devices.
std::vector<platform::AudioInputDevice> audioInputDevices();

// A "file:PATH" id opens the file input on clock, any other id the system's device.
// AudioInputError when it cannot be opened.
std::unique_ptr<platform::AudioInput> openAudioInput(const std::string& id,
                                                     Clock& clock = steadyClock());

// A WAV file as if a microphone recorded it: read at its own rate against
// clock, over and over. Each read returns when the last of its samples "has
// been recorded", on deadlines counted from the first read so that no drift
// builds up. The file is read here; a missing or unreadable one or no usable
// WAV sound gives AudioInputError with the reason.
std::unique_ptr<platform::AudioInput> openFileInput(const std::string& path, Clock& clock);

} // namespace strumvale::sound
