#include "platform/midi_synth.h"
#include "sound/midi_message.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace strumvale;
using platform::SynthEngine;

namespace {

constexpr int kRate = SynthEngine::kSampleRate;

std::vector<float> render(SynthEngine& engine, double seconds) {
    int frames = static_cast<int>(seconds * kRate);
    std::vector<float> left(frames), right(frames);
    engine.render(left.data(), right.data(), frames);
    for (int i = 0; i < frames; ++i)
        left[i] = (left[i] + right[i]) / 2;
    return left;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

// The fundamental between 70 and 180 Hz, by the strongest normalised
// autocorrelation; no octave error fits in that range around 110 Hz.
double pitch(const std::vector<float>& samples, std::size_t from, std::size_t length) {
    int bestLag = 0;
    double best = -1;
    for (int lag = kRate / 180; lag <= kRate / 70; ++lag) {
        double product = 0, energy = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            product += double(samples[i]) * samples[i + lag];
            energy += double(samples[i + lag]) * samples[i + lag];
        }
        double score = energy > 0 ? product / std::sqrt(energy) : 0;
        if (score > best) {
            best = score;
            bestLag = lag;
        }
    }
    return double(kRate) / bestLag;
}

} // namespace

TEST(BuiltInSynthesizerSound, OpenAStringSoundsAt110HzAndFallsSilent) {
    auto font = platform::generalMidiSoundFont();
    ASSERT_TRUE(font) << "the General MIDI sound font is missing (fluid-soundfont-gm)";
    std::unique_ptr<SynthEngine> engine;
    ASSERT_EQ(SynthEngine::create(*font, engine), platform::midi_result::NoError) << *font;

    // As the chord player sends it: program change (nylon guitar), note-on.
    engine->sendShortMessage(midi::packShortMessage(0xC0, 0, 24, 0));
    engine->sendShortMessage(midi::packShortMessage(0x90, 0, 45, 127));
    std::vector<float> held = render(*engine, 1.0);
    engine->sendShortMessage(midi::packShortMessage(0x80, 0, 45, 0));
    std::vector<float> released = render(*engine, 3.0);

    EXPECT_GT(rms(held, kRate / 10, kRate / 2), 0.005) << "the note is heard";
    double hz = pitch(held, kRate / 10, kRate / 5);
    EXPECT_NEAR(hz, 110.0, 2.0);
    EXPECT_LT(rms(released, released.size() - kRate / 2, released.size()), 1e-4)
        << "silence after the release";
    float peak = 0;
    for (std::size_t i = released.size() - kRate / 2; i < released.size(); ++i)
        peak = std::max(peak, std::abs(released[i]));
    EXPECT_LT(peak, 1e-3);
}
