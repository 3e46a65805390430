#include "platform/midi_synth.h"

#include "platform/alsa_quiet.h"
#include "platform/midi_provider.h"

#include <cstdlib>
#include <filesystem>
#include <fluidsynth.h>
#include <mutex>

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

struct SynthEngine::Parts {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* audio = nullptr;

    ~Parts() {
        // The driver pulls from the synthesizer, so it goes first.
        if (audio)
            delete_fluid_audio_driver(audio);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

SynthEngine::SynthEngine(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
SynthEngine::~SynthEngine() = default;

MidiResult SynthEngine::create(const std::string& soundFont, std::unique_ptr<SynthEngine>& engine) {
    silenceLibraries();
    auto parts = std::make_unique<Parts>();
    parts->settings = new_fluid_settings();
    if (parts->settings == nullptr)
        return NoMemory;
    fluid_settings_setnum(parts->settings, "synth.sample-rate", kSampleRate);
    // A General MIDI font is large; only the samples of the instruments in use
    // are read, which keeps start-up quick and the program small.
    fluid_settings_setint(parts->settings, "synth.dynamic-sample-loading", 1);
    parts->synth = new_fluid_synth(parts->settings);
    if (parts->synth == nullptr)
        return NoMemory;
    if (fluid_synth_sfload(parts->synth, soundFont.c_str(), 1) == FLUID_FAILED)
        return NoSoundFont;
    engine.reset(new SynthEngine(std::move(parts)));
    return NoError;
}

MidiResult SynthEngine::startAudio() {
    if (parts_->audio)
        return NoError;
    if (const char* driver = variable("STRUMVALE_AUDIO_DRIVER"))
        fluid_settings_setstr(parts_->settings, "audio.driver", driver);
    if (const char* file = variable("STRUMVALE_AUDIO_FILE"))
        fluid_settings_setstr(parts_->settings, "audio.file.name", file);
    parts_->audio = new_fluid_audio_driver(parts_->settings, parts_->synth);
    return parts_->audio ? NoError : NoAudioOutput;
}

MidiResult SynthEngine::sendShortMessage(std::uint32_t message) {
    int status = message & 0xFF, data1 = (message >> 8) & 0x7F, data2 = (message >> 16) & 0x7F;
    int channel = status & 0x0F;
    fluid_synth_t* synth = parts_->synth;
    // FluidSynth's own results are not send failures (a note-off for a note
    // that no longer sounds "fails"), so they are not passed on.
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, channel, data1);
        break;
    case 0x90:
        if (data2 == 0)
            fluid_synth_noteoff(synth, channel, data1);
        else
            fluid_synth_noteon(synth, channel, data1, data2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth, channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7));
        break;
    default:
        // System messages mean nothing to a synthesizer without a clock;
        // data bytes without status are not a message.
        return status < 0x80 ? InvalidParameter : NoError;
    }
    return NoError;
}

void SynthEngine::render(float* left, float* right, int frames) {
    fluid_synth_write_float(parts_->synth, frames, left, 0, 1, right, 0, 1);
}

namespace {

class SynthPort : public MidiOutPort {
public:
    explicit SynthPort(std::unique_ptr<SynthEngine> engine) : engine_(std::move(engine)) {}
    MidiResult sendShortMessage(std::uint32_t message) override {
        return engine_->sendShortMessage(message);
    }

private:
    std::unique_ptr<SynthEngine> engine_;
};

class SynthProvider : public MidiDeviceProvider {
public:
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
        if (MidiResult result = SynthEngine::create(*font, engine); result != NoError)
            return result;
        if (MidiResult result = engine->startAudio(); result != NoError)
            return result;
        port = std::make_unique<SynthPort>(std::move(engine));
        return NoError;
    }

private:
    static constexpr const char* kIdentity = "synthesizer";
};

} // namespace

std::shared_ptr<MidiDeviceProvider> builtInSynthesizerProvider() {
    return std::make_shared<SynthProvider>();
}

} // namespace strumvale::platform
