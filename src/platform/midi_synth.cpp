#include "platform/midi_synth.h"

#include "platform/alsa_quiet.h"
#include "platform/file_audio_output.h"
#include "platform/midi_provider.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fluidsynth.h>
#include <mutex>
#include <span>

namespace strumvale::platform {

using namespace midi_result;

namespace {

const char* const kDebianGeneralMidiFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",          "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
};

void ignoreFluidMessage(int, const char*, void*) {}

// The program has no log, and both libraries print to standard error; the
// failures they report come back as result codes instead.
void silenceLibraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, ignoreFluidMessage, nullptr);
    });
    quietAlsaLibrary();
}

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

} // namespace

std::optional<std::string> generalMidiSoundFont() {
    if (const char* font = variable("STRUMVALE_SOUNDFONT"))
        return font;
    for (const char* font : kDebianGeneralMidiFonts) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(font, ignored))
            return font;
    }
    return std::nullopt;
}

namespace {

// One FluidSynth instance of the bank: a message takes effect at the start
// of its next 64-frame block.
class FluidPhase : public BlockSynth {
public:
    explicit FluidPhase(fluid_synth_t* synth) : synth_(synth) {}

    void apply(std::uint32_t message) override {
        const int status = message & 0xFF, data1 = (message >> 8) & 0x7F,
                  data2 = (message >> 16) & 0x7F;
        const int channel = status & 0x0F;
        // FluidSynth's own results are not send failures (a note-off for a
        // note that no longer sounds "fails"), so they are not passed on.
        switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            if (data2 == 0)
                fluid_synth_noteoff(synth_, channel, data1);
            else
                fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
            break;
        default:
            break;
        }
    }

    void mixInto(float* left, float* right, int frames) override {
        // Effects mixed into the dry output, as a plain stereo driver does.
        float* out[2] = {left, right};
        float* effects[4] = {left, right, left, right};
        fluid_synth_process(synth_, frames, 4, effects, 2, out);
    }

    int exclusiveClasses(int channel, int key, int* classes) override {
        int count = 0;
        for (fluid_voice_t* voice : voices()) {
            if (fluid_voice_get_channel(voice) != channel || fluid_voice_get_key(voice) != key ||
                !fluid_voice_is_on(voice))
                continue;
            const int found = static_cast<int>(fluid_voice_gen_get(voice, GEN_EXCLUSIVECLASS));
            if (found != 0 && count < kMostClasses &&
                std::find(classes, classes + count, found) == classes + count)
                classes[count++] = found;
        }
        return count;
    }

    void choke(int channel, int exclusiveClass) override {
        int keys[kVoiceList];
        int keyCount = 0;
        for (fluid_voice_t* voice : voices()) {
            if (fluid_voice_get_channel(voice) != channel ||
                static_cast<int>(fluid_voice_gen_get(voice, GEN_EXCLUSIVECLASS)) != exclusiveClass)
                continue;
            // FluidSynth's own choke: a very short release, then the note-off.
            fluid_voice_gen_set(voice, GEN_EXCLUSIVECLASS, 0);
            fluid_voice_gen_set(voice, GEN_VOLENVRELEASE, -200);
            fluid_voice_update_param(voice, GEN_VOLENVRELEASE);
            fluid_voice_gen_set(voice, GEN_MODENVRELEASE, -200);
            fluid_voice_update_param(voice, GEN_MODENVRELEASE);
            keys[keyCount++] = fluid_voice_get_key(voice);
        }
        for (int i = 0; i < keyCount; ++i)
            fluid_synth_noteoff(synth_, channel, keys[i]);
    }

private:
    static constexpr int kVoiceList = 256;

    // The playing voices, in a list kept so that the render thread does not
    // allocate.
    std::span<fluid_voice_t* const> voices() {
        list_.fill(nullptr);
        fluid_synth_get_voicelist(synth_, list_.data(), kVoiceList, -1);
        const auto end = std::find(list_.begin(), list_.end(), nullptr);
        return {list_.data(), static_cast<std::size_t>(end - list_.begin())};
    }

    fluid_synth_t* synth_;
    std::array<fluid_voice_t*, kVoiceList> list_{};
};

} // namespace

struct SynthEngine::Parts {
    fluid_settings_t* settings = nullptr;
    // Phase 0 loaded the font; the others share it.
    std::vector<fluid_synth_t*> synths;
    fluid_sfont_t* font = nullptr;
    std::unique_ptr<ScheduledSynth> schedule;
    fluid_audio_driver_t* audio = nullptr;
    std::unique_ptr<FileAudioOutput> file;
    int bufferedFrames = 0;

    ~Parts() {
        // The drivers pull from the synthesizers, so they go first; the
        // font's owner goes last.
        if (audio)
            delete_fluid_audio_driver(audio);
        file.reset();
        for (std::size_t i = synths.size(); i-- > 0;) {
            if (i > 0 && font)
                fluid_synth_remove_sfont(synths[i], font);
            delete_fluid_synth(synths[i]);
        }
        if (settings)
            delete_fluid_settings(settings);
    }
};

SynthEngine::SynthEngine(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
SynthEngine::~SynthEngine() = default;

MidiResult SynthEngine::create(const std::string& soundFont, std::unique_ptr<SynthEngine>& engine,
                               SynthTiming timing) {
    silenceLibraries();
    auto parts = std::make_unique<Parts>();
    parts->settings = new_fluid_settings();
    if (parts->settings == nullptr)
        return NoMemory;
    fluid_settings_setnum(parts->settings, "synth.sample-rate", kSampleRate);
    // A General MIDI font is large; only the samples of the instruments in use
    // are read, which keeps start-up quick and the program small.
    fluid_settings_setint(parts->settings, "synth.dynamic-sample-loading", 1);
    std::vector<std::unique_ptr<BlockSynth>> phases;
    for (int i = 0; i < PhasedSynth::kPhases; ++i) {
        fluid_synth_t* synth = new_fluid_synth(parts->settings);
        if (synth == nullptr)
            return NoMemory;
        parts->synths.push_back(synth);
        if (i == 0) {
            const int id = fluid_synth_sfload(synth, soundFont.c_str(), 1);
            if (id == FLUID_FAILED)
                return NoSoundFont;
            parts->font = fluid_synth_get_sfont_by_id(synth, id);
        } else if (parts->font == nullptr || fluid_synth_add_sfont(synth, parts->font) < 0) {
            return NoSoundFont;
        }
        phases.push_back(std::make_unique<FluidPhase>(synth));
    }
    parts->schedule = std::make_unique<ScheduledSynth>(std::move(phases), kSampleRate, timing);
    engine.reset(new SynthEngine(std::move(parts)));
    return NoError;
}

namespace {

int renderPeriod(void* data, int frames, int, float*[], int outputs, float* out[]) {
    if (outputs < 2)
        return FLUID_FAILED;
    static_cast<ScheduledSynth*>(data)->render(out[0], out[1], frames,
                                               std::chrono::steady_clock::now());
    return FLUID_OK;
}

int intSetting(fluid_settings_t* settings, const char* name) {
    int value = 0;
    fluid_settings_getint(settings, name, &value);
    return value;
}

} // namespace

MidiResult SynthEngine::startAudio() {
    if (parts_->audio || parts_->file)
        return NoError;
    fluid_settings_t* settings = parts_->settings;
    if (const char* driver = variable("STRUMVALE_AUDIO_DRIVER"))
        fluid_settings_setstr(settings, "audio.driver", driver);
    char* driver = nullptr;
    const bool toFile = fluid_settings_dupstr(settings, "audio.driver", &driver) == FLUID_OK &&
                        driver != nullptr && std::string(driver) == "file";
    fluid_free(driver);
    const int period = intSetting(settings, "audio.period-size");
    ScheduledSynth* schedule = parts_->schedule.get();
    if (toFile) {
        // FluidSynth's own file driver renders without a callback; this one
        // renders the same periods through the schedule.
        const char* file = variable("STRUMVALE_AUDIO_FILE");
        parts_->file = FileAudioOutput::start(
            file ? file : "fluidsynth.wav", kSampleRate, period,
            [schedule](float* left, float* right, int frames, SteadyTime now) {
                schedule->render(left, right, frames, now);
            });
        return parts_->file ? NoError : NoAudioOutput;
    }
    parts_->audio = new_fluid_audio_driver2(settings, renderPeriod, schedule);
    parts_->bufferedFrames = period * std::max(1, intSetting(settings, "audio.periods") - 1);
    return parts_->audio ? NoError : NoAudioOutput;
}

std::chrono::microseconds SynthEngine::latency() const {
    return parts_->schedule->latency() +
           std::chrono::microseconds(std::int64_t(parts_->bufferedFrames) * 1000000 / kSampleRate);
}

MidiResult SynthEngine::sendShortMessage(std::uint32_t message) {
    return sendShortMessageAt(message, std::chrono::steady_clock::now());
}

MidiResult SynthEngine::sendShortMessageAt(std::uint32_t message, SteadyTime at) {
    const int status = message & 0xFF;
    // Data bytes without status are not a message; system messages mean
    // nothing to a synthesizer without a clock.
    if (status < 0x80)
        return InvalidParameter;
    if (status >= 0xF0)
        return NoError;
    parts_->schedule->send(message, at, std::chrono::steady_clock::now());
    return NoError;
}

void SynthEngine::render(float* left, float* right, int frames) {
    parts_->schedule->render(left, right, frames, std::chrono::steady_clock::now());
}

namespace {

class SynthPort : public MidiOutPort {
public:
    explicit SynthPort(std::unique_ptr<SynthEngine> engine) : engine_(std::move(engine)) {}
    MidiResult sendShortMessage(std::uint32_t message) override {
        return engine_->sendShortMessage(message);
    }
    MidiResult sendShortMessageAt(std::uint32_t message, SteadyTime at) override {
        return engine_->sendShortMessageAt(message, at);
    }
    std::chrono::microseconds latency() const override { return engine_->latency(); }

private:
    std::unique_ptr<SynthEngine> engine_;
};

class SynthProvider : public MidiDeviceProvider {
public:
    explicit SynthProvider(SynthTiming timing) : timing_(timing) {}

    std::vector<MidiPortEntry> outputPorts() override {
        return {{"Built-in synthesizer", kIdentity}};
    }

    MidiResult openOutput(const std::string& identity,
                          std::unique_ptr<MidiOutPort>& port) override {
        if (identity != kIdentity)
            return BadDeviceId;
        auto font = generalMidiSoundFont();
        if (!font)
            return NoSoundFont;
        std::unique_ptr<SynthEngine> engine;
        if (MidiResult result = SynthEngine::create(*font, engine, timing_); result != NoError)
            return result;
        if (MidiResult result = engine->startAudio(); result != NoError)
            return result;
        port = std::make_unique<SynthPort>(std::move(engine));
        return NoError;
    }

private:
    static constexpr const char* kIdentity = "synthesizer";
    SynthTiming timing_;
};

} // namespace

std::shared_ptr<MidiDeviceProvider> builtInSynthesizerProvider(SynthTiming timing) {
    return std::make_shared<SynthProvider>(timing);
}

} // namespace strumvale::platform
