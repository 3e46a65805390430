#include "platform/fluid_phases.h"

#include <algorithm>
#include <array>
#include <fluidsynth.h>
#include <mutex>
#include <span>

namespace strumvale::platform {

using namespace midi_result;

// The font, loaded once by a synthesizer that never plays, so that it stays
// until the last phase using it is gone.
struct FluidFont {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* loader = nullptr;
    fluid_sfont_t* font = nullptr;

    ~FluidFont() {
        if (loader)
            delete_fluid_synth(loader);
        if (settings)
            delete_fluid_settings(settings);
    }
};

namespace {

// One FluidSynth instance of the bank: a message takes effect at the start
// of its next 64-frame block.
class FluidPhase : public BlockSynth {
public:
    FluidPhase(std::shared_ptr<FluidFont> font, fluid_synth_t* synth)
        : font_(std::move(font)), synth_(synth) {}
    ~FluidPhase() override {
        fluid_synth_remove_sfont(synth_, font_->font);
        delete_fluid_synth(synth_);
    }
    FluidPhase(const FluidPhase&) = delete;
    FluidPhase& operator=(const FluidPhase&) = delete;

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

    std::shared_ptr<FluidFont> font_;
    fluid_synth_t* synth_;
    std::array<fluid_voice_t*, kVoiceList> list_{};
};

} // namespace

namespace {

void ignoreFluidMessage(int, const char*, void*) {}

// The program has no log, and FluidSynth prints to standard error (a new
// synthesizer warns of the font it does not have yet); the failures it
// reports come back as result codes instead.
void silenceFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, ignoreFluidMessage, nullptr);
    });
}

} // namespace

MidiResult createFluidPhases(const std::string& soundFont, int count, int sampleRate,
                             std::vector<std::unique_ptr<BlockSynth>>& phases) {
    silenceFluidSynth();
    auto font = std::make_shared<FluidFont>();
    font->settings = new_fluid_settings();
    if (font->settings == nullptr)
        return NoMemory;
    fluid_settings_setnum(font->settings, "synth.sample-rate", sampleRate);
    // A General MIDI font is large; only the samples of the instruments in use
    // are read, which keeps start-up quick and the program small.
    fluid_settings_setint(font->settings, "synth.dynamic-sample-loading", 1);
    font->loader = new_fluid_synth(font->settings);
    if (font->loader == nullptr)
        return NoMemory;
    const int id = fluid_synth_sfload(font->loader, soundFont.c_str(), 1);
    if (id == FLUID_FAILED)
        return NoSoundFont;
    font->font = fluid_synth_get_sfont_by_id(font->loader, id);
    if (font->font == nullptr)
        return NoSoundFont;
    std::vector<std::unique_ptr<BlockSynth>> made;
    for (int i = 0; i < count; ++i) {
        fluid_synth_t* synth = new_fluid_synth(font->settings);
        if (synth == nullptr)
            return NoMemory;
        if (fluid_synth_add_sfont(synth, font->font) < 0) {
            delete_fluid_synth(synth);
            return NoSoundFont;
        }
        made.push_back(std::make_unique<FluidPhase>(font, synth));
    }
    phases = std::move(made);
    return NoError;
}

} // namespace strumvale::platform
