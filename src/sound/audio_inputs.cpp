#include "sound/audio_inputs.h"

#include "platform/file_error.h"
#include "platform/wav_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace strumvale::sound {
namespace {

constexpr std::string_view kFilePrefix = "file:";
// A device holds about this much before it overruns; a reader that comes back
// later than that loses what was missed rather than getting it all at once.
constexpr auto kDeviceBuffer = std::chrono::seconds(1);

class FileInput : public platform::AudioInput {
public:
    FileInput(platform::WavAudio audio, Clock& clock) : audio_(std::move(audio)), clock_(clock) {}

    int sampleRate() const override { return audio_.sampleRate; }
    std::size_t read(std::span<float> samples) override { return readOrStop(samples, {}); }

    std::size_t readOrStop(std::span<float> samples, std::stop_token stop) override {
        if (samples.empty())
            return 0;
        if (!started_) {
            start_ = clock_.now();
            started_ = true;
        }
        if (clock_.now() - (start_ + lengthOf(delivered_)) > kDeviceBuffer)
            start_ = clock_.now() - lengthOf(delivered_);
        if (!clock_.sleepUntil(start_ + lengthOf(delivered_ + samples.size()), stop))
            return 0;
        for (std::size_t filled = 0; filled < samples.size();) {
            const std::size_t count =
                std::min(samples.size() - filled, audio_.samples.size() - position_);
            std::copy_n(audio_.samples.begin() + static_cast<std::ptrdiff_t>(position_), count,
                        samples.begin() + static_cast<std::ptrdiff_t>(filled));
            filled += count;
            position_ = (position_ + count) % audio_.samples.size();
        }
        delivered_ += samples.size();
        return samples.size();
    }

private:
    // How long count samples take to record; exact to the nanosecond however
    // long the input runs.
    Clock::Duration lengthOf(std::uint64_t count) const {
        const auto rate = static_cast<std::uint64_t>(audio_.sampleRate);
        const auto whole = std::chrono::seconds(count / rate);
        const auto fraction = std::chrono::nanoseconds((count % rate) * 1'000'000'000 / rate);
        return std::chrono::duration_cast<Clock::Duration>(whole + fraction);
    }

    platform::WavAudio audio_;
    Clock& clock_;
    bool started_ = false;
    Clock::TimePoint start_{};
    std::uint64_t delivered_ = 0;
    std::size_t position_ = 0;
};

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

AudioInputSystem& systemInUse() {
    static AudioInputSystem system = alsaAudioInputSystem();
    return system;
}

} // namespace

AudioInputSystem alsaAudioInputSystem() {
    return {platform::alsaInputDevices, platform::openAlsaInput};
}

const AudioInputSystem& audioInputSystem() {
    return systemInUse();
}

ScopedAudioInputSystem::ScopedAudioInputSystem(AudioInputSystem system) : saved_(systemInUse()) {
    systemInUse() = std::move(system);
}

ScopedAudioInputSystem::~ScopedAudioInputSystem() {
    systemInUse() = std::move(saved_);
}

std::vector<platform::AudioInputDevice> audioInputDevices() {
    std::vector<platform::AudioInputDevice> devices;
    const char* path = std::getenv(kAudioInputFileVariable);
    if (path != nullptr && *path != '\0')
        devices.push_back({std::string(kFilePrefix) + path, fileName(path)});
    std::vector<platform::AudioInputDevice> system = audioInputSystem().devices();
    devices.insert(devices.end(), system.begin(), system.end());
    return devices;
}

std::unique_ptr<platform::AudioInput> openAudioInput(const std::string& id, Clock& clock) {
    if (id.starts_with(kFilePrefix))
        return openFileInput(id.substr(kFilePrefix.size()), clock);
    return audioInputSystem().open(id);
}

std::unique_ptr<platform::AudioInput> openFileInput(const std::string& path, Clock& clock) {
    const std::string id = std::string(kFilePrefix) + path;
    platform::WavAudio audio;
    try {
        audio = platform::readWav(path);
    } catch (const platform::FileError& error) {
        throw platform::AudioInputError(id, error.what());
    } catch (const platform::WavError& error) {
        throw platform::AudioInputError(id, error.what());
    }
    if (audio.samples.empty())
        throw platform::AudioInputError(id, "The sound file '" + path + "' holds no sound");
    return std::make_unique<FileInput>(std::move(audio), clock);
}

} // namespace strumvale::sound
