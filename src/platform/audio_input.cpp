#include "platform/audio_input.h"

#include "platform/alsa_quiet.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace strumvale::platform {
namespace {

// Short enough that a stop request is answered at once to the eye.
constexpr int kWaitMilliseconds = 20;
constexpr unsigned kPeriodMicroseconds = 10'000;
// Room for a listener that falls behind for a moment without an overrun.
constexpr unsigned kBufferMicroseconds = 200'000;
constexpr unsigned kMaxChannels = 64;

std::string openFailure(const std::string& id, int error) {
    std::string reason;
    switch (-error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        reason = "there is no such device";
        break;
    case EBUSY:
        reason = "it is in use by another program";
        break;
    case EACCES:
    case EPERM:
        reason = "access to it is denied";
        break;
    default:
        reason = snd_strerror(error);
        break;
    }
    return "Cannot open the audio input '" + id + "': " + reason;
}

// A sound server reached through ALSA's plugins has inputs even where no
// card can be opened, as in a sandboxed installation.
bool soundServerPlugin() {
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0)
        return false;
    bool found = false;
    for (void** hint = hints; *hint != nullptr && !found; ++hint) {
        char* name = snd_device_name_get_hint(*hint, "NAME");
        if (name != nullptr) {
            found = std::strcmp(name, "pulse") == 0 || std::strcmp(name, "pipewire") == 0;
            std::free(name);
        }
    }
    snd_device_name_free_hint(hints);
    return found;
}

// The capture PCMs of one card; the card's id rather than its number keeps
// the device's id when cards are plugged in another order.
void addCardInputs(int card, std::vector<AudioInputDevice>& devices) {
    snd_ctl_t* ctl = nullptr;
    const std::string hw = "hw:" + std::to_string(card);
    if (snd_ctl_open(&ctl, hw.c_str(), SND_CTL_NONBLOCK) < 0)
        return;
    snd_ctl_card_info_t* cardInfo = nullptr;
    snd_pcm_info_t* pcmInfo = nullptr;
    if (snd_ctl_card_info_malloc(&cardInfo) >= 0 && snd_pcm_info_malloc(&pcmInfo) >= 0 &&
        snd_ctl_card_info(ctl, cardInfo) >= 0) {
        const std::string cardId = snd_ctl_card_info_get_id(cardInfo);
        const std::string cardName = snd_ctl_card_info_get_name(cardInfo);
        int device = -1;
        while (snd_ctl_pcm_next_device(ctl, &device) >= 0 && device >= 0) {
            snd_pcm_info_set_device(pcmInfo, static_cast<unsigned>(device));
            snd_pcm_info_set_subdevice(pcmInfo, 0);
            snd_pcm_info_set_stream(pcmInfo, SND_PCM_STREAM_CAPTURE);
            if (snd_ctl_pcm_info(ctl, pcmInfo) < 0)
                continue; // playback only
            devices.push_back({"plughw:" + cardId + "," + std::to_string(device),
                               cardName + ": " + snd_pcm_info_get_name(pcmInfo)});
        }
    }
    if (pcmInfo != nullptr)
        snd_pcm_info_free(pcmInfo);
    if (cardInfo != nullptr)
        snd_ctl_card_info_free(cardInfo);
    snd_ctl_close(ctl);
}

class AlsaInput : public AudioInput {
public:
    AlsaInput(std::string id, snd_pcm_t* pcm, int rate, unsigned channels, snd_pcm_format_t format)
        : id_(std::move(id)), pcm_(pcm), rate_(rate), channels_(channels), format_(format),
          frameBytes_(channels * static_cast<unsigned>(snd_pcm_format_physical_width(format)) / 8) {
    }
    ~AlsaInput() override { snd_pcm_close(pcm_); }
    AlsaInput(const AlsaInput&) = delete;
    AlsaInput& operator=(const AlsaInput&) = delete;

    int sampleRate() const override { return rate_; }
    std::size_t read(std::span<float> samples) override { return readOrStop(samples, {}); }

    // The PCM is non-blocking, so that waiting for data can look at the stop
    // request between short waits.
    std::size_t readOrStop(std::span<float> samples, std::stop_token stop) override {
        std::size_t filled = 0;
        while (filled < samples.size() && !stop.stop_requested()) {
            const std::size_t wanted = samples.size() - filled;
            raw_.resize(wanted * frameBytes_);
            const snd_pcm_sframes_t got =
                snd_pcm_readi(pcm_, raw_.data(), static_cast<snd_pcm_uframes_t>(wanted));
            if (got > 0) {
                convert(static_cast<std::size_t>(got), samples.subspan(filled));
                filled += static_cast<std::size_t>(got);
                continue;
            }
            int error = got == 0 ? -EAGAIN : static_cast<int>(got);
            if (error == -EAGAIN) {
                error = snd_pcm_wait(pcm_, kWaitMilliseconds);
                if (error >= 0)
                    continue;
            }
            // An overrun loses what the device could not hold; listening goes on.
            if (error == -EPIPE || error == -ESTRPIPE || error == -EINTR) {
                error = snd_pcm_recover(pcm_, error, 1);
                if (error >= 0)
                    continue;
            }
            fail(error);
        }
        return filled;
    }

private:
    [[noreturn]] void fail(int error) const {
        if (error == -ENODEV || error == -EBADFD || error == -ENXIO)
            throw AudioInputError(id_, "The audio input '" + id_ + "' was disconnected");
        throw AudioInputError(id_, "The audio input '" + id_ +
                                       "' stopped working: " + snd_strerror(error));
    }

    void convert(std::size_t frames, std::span<float> out) const {
        const unsigned char* p = raw_.data();
        const float scale = 1.0f / static_cast<float>(channels_);
        for (std::size_t frame = 0; frame < frames; ++frame) {
            float sum = 0.0f;
            for (unsigned channel = 0; channel < channels_; ++channel)
                sum += sampleAt(p, frame * channels_ + channel);
            out[frame] = sum * scale;
        }
    }

    float sampleAt(const unsigned char* p, std::size_t index) const {
        if (format_ == SND_PCM_FORMAT_S16) {
            std::int16_t value;
            std::memcpy(&value, p + index * sizeof value, sizeof value);
            return static_cast<float>(value) / 32768.0f;
        }
        if (format_ == SND_PCM_FORMAT_S32) {
            std::int32_t value;
            std::memcpy(&value, p + index * sizeof value, sizeof value);
            return static_cast<float>(value) / 2147483648.0f;
        }
        float value;
        std::memcpy(&value, p + index * sizeof value, sizeof value);
        return value;
    }

    std::string id_;
    snd_pcm_t* pcm_;
    int rate_;
    unsigned channels_;
    snd_pcm_format_t format_;
    unsigned frameBytes_;
    std::vector<unsigned char> raw_;
};

} // namespace

std::vector<AudioInputDevice> alsaInputDevices() {
    quietAlsaLibrary();
    std::vector<AudioInputDevice> cards;
    int card = -1;
    while (snd_card_next(&card) >= 0 && card >= 0)
        addCardInputs(card, cards);
    std::vector<AudioInputDevice> devices;
    if (!cards.empty() || soundServerPlugin())
        devices.push_back({"default", "System default input"});
    devices.insert(devices.end(), cards.begin(), cards.end());
    return devices;
}

std::unique_ptr<AudioInput> openAlsaInput(const std::string& id) {
    quietAlsaLibrary();
    snd_pcm_t* pcm = nullptr;
    // Non-blocking, also so that a device another program holds fails at once.
    if (int error = snd_pcm_open(&pcm, id.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK);
        error < 0)
        throw AudioInputError(id, openFailure(id, error));
    std::unique_ptr<snd_pcm_t, int (*)(snd_pcm_t*)> owned(pcm, snd_pcm_close);
    snd_pcm_hw_params_t* raw = nullptr;
    if (int error = snd_pcm_hw_params_malloc(&raw); error < 0)
        throw AudioInputError(id, openFailure(id, error));
    std::unique_ptr<snd_pcm_hw_params_t, void (*)(snd_pcm_hw_params_t*)> params(
        raw, snd_pcm_hw_params_free);

    const auto unusable = [&id](int error) {
        return AudioInputError(id, "Cannot open the audio input '" + id +
                                       "': it does not record in a way the tuner can use (" +
                                       snd_strerror(error) + ")");
    };
    int error = snd_pcm_hw_params_any(pcm, params.get());
    if (error >= 0)
        error = snd_pcm_hw_params_set_access(pcm, params.get(), SND_PCM_ACCESS_RW_INTERLEAVED);
    if (error < 0)
        throw unusable(error);

    snd_pcm_format_t format = SND_PCM_FORMAT_UNKNOWN;
    for (snd_pcm_format_t candidate :
         {SND_PCM_FORMAT_FLOAT, SND_PCM_FORMAT_S16, SND_PCM_FORMAT_S32}) {
        if (snd_pcm_hw_params_test_format(pcm, params.get(), candidate) == 0) {
            format = candidate;
            break;
        }
    }
    if (format == SND_PCM_FORMAT_UNKNOWN)
        throw unusable(-EINVAL);
    error = snd_pcm_hw_params_set_format(pcm, params.get(), format);

    unsigned channels = 1;
    if (error >= 0 && snd_pcm_hw_params_test_channels(pcm, params.get(), 1) != 0)
        error = snd_pcm_hw_params_set_channels_first(pcm, params.get(), &channels);
    else if (error >= 0)
        error = snd_pcm_hw_params_set_channels(pcm, params.get(), 1);
    if (error >= 0 && (channels == 0 || channels > kMaxChannels))
        error = -EINVAL;

    // One of the two common rates, 48000 first; else the nearest the device has.
    unsigned rate = 48000;
    if (error >= 0 && snd_pcm_hw_params_test_rate(pcm, params.get(), rate, 0) != 0 &&
        snd_pcm_hw_params_test_rate(pcm, params.get(), 44100, 0) == 0)
        rate = 44100;
    if (error >= 0)
        error = snd_pcm_hw_params_set_rate_near(pcm, params.get(), &rate, nullptr);
    unsigned period = kPeriodMicroseconds;
    unsigned buffer = kBufferMicroseconds;
    if (error >= 0)
        error = snd_pcm_hw_params_set_buffer_time_near(pcm, params.get(), &buffer, nullptr);
    if (error >= 0)
        error = snd_pcm_hw_params_set_period_time_near(pcm, params.get(), &period, nullptr);
    if (error >= 0)
        error = snd_pcm_hw_params(pcm, params.get());
    if (error >= 0)
        error = snd_pcm_hw_params_get_rate(params.get(), &rate, nullptr);
    if (error >= 0 && (rate == 0 || rate > 1'000'000))
        error = -EINVAL;
    if (error < 0)
        throw unusable(error);
    auto input =
        std::make_unique<AlsaInput>(id, owned.get(), static_cast<int>(rate), channels, format);
    owned.release();
    return input;
}

} // namespace strumvale::platform
