#include "platform/midi_synth.h"

#include "platform/alsa_quiet.h"
#include "platform/file_audio_output.h"
#include "platform/fluid_phases.h"
#include "platform/midi_provider.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fluidsynth.h>
#include <thread>

namespace strumvale::platform {

using namespace midi_result;

namespace {

const char* const kDebianGeneralMidiFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",          "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
};

// ALSA prints to standard error; its failures come back as result codes.
void silenceLibraries() {
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
    // The audio drivers' settings; the synthesizers have their own.
    fluid_settings_t* settings = nullptr;
    std::unique_ptr<ScheduledSynth> schedule;
    fluid_audio_driver_t* audio = nullptr;
    std::unique_ptr<FileAudioOutput> file;
    int bufferedFrames = 0;

    ~Parts() {
        // The drivers pull from the synthesizers, so they go first.
        if (audio)
            delete_fluid_audio_driver(audio);
        file.reset();
        schedule.reset();
        if (settings)
            delete_fluid_settings(settings);
    }
};

SynthEngine::SynthEngine(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

SynthEngine::~SynthEngine() {
    // What was sent last (the final hit of a pattern, a release) is still
    // waiting for its frame: the output runs on until it has sounded.
    if (parts_->audio || parts_->file) {
        constexpr auto kLongestWait = std::chrono::milliseconds(200);
        std::this_thread::sleep_until(std::min(parts_->schedule->settledBy(),
                                               std::chrono::steady_clock::now() + kLongestWait));
    }
}

MidiResult SynthEngine::create(const std::string& soundFont, std::unique_ptr<SynthEngine>& engine,
                               SynthTiming timing) {
    silenceLibraries();
    auto parts = std::make_unique<Parts>();
    parts->settings = new_fluid_settings();
    if (parts->settings == nullptr)
        return NoMemory;
    fluid_settings_setnum(parts->settings, "synth.sample-rate", kSampleRate);
    std::vector<std::unique_ptr<BlockSynth>> phases;
    if (MidiResult result = createFluidPhases(soundFont, PhasedSynth::kPhases, kSampleRate, phases);
        result != NoError)
        return result;
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
