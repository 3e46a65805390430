#include "platform/fluid_phases.h"
#include "platform/midi_synth.h"
#include "platform/scheduled_synth.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace strumvale::platform;
using namespace std::chrono_literals;

namespace {

constexpr int kRate = SynthEngine::kSampleRate;
const SteadyTime kStart = SteadyTime{} + 1000s;

SteadyTime atFrame(double frame) {
    return kStart + std::chrono::duration_cast<SteadyTime::duration>(
                        std::chrono::duration<double>(frame / kRate));
}

constexpr std::uint32_t drum(int key, int velocity = 110) {
    return 0x99u | static_cast<std::uint32_t>(key) << 8 |
           static_cast<std::uint32_t>(velocity) << 16;
}

// The real synthesizers under the schedule, on a clock of their own: each
// period starts exactly at its frame's time.
class FluidStream {
public:
    FluidStream() {
        auto font = generalMidiSoundFont();
        if (!font)
            return;
        std::vector<std::unique_ptr<BlockSynth>> phases;
        if (createFluidPhases(*font, PhasedSynth::kPhases, kRate, phases) != midi_result::NoError)
            return;
        synth_ = std::make_unique<ScheduledSynth>(std::move(phases), kRate);
    }
    bool ready() const { return synth_ != nullptr; }

    void send(std::uint32_t message, double frame) {
        synth_->send(message, atFrame(frame), atFrame(frame));
    }
    // Renders on to frame in periods of 300 frames; the mono output so far.
    const std::vector<float>& renderTo(std::int64_t frame) {
        while (static_cast<std::int64_t>(audio_.size()) < frame) {
            const auto begin = static_cast<double>(audio_.size());
            std::vector<float> left(300), right(300);
            synth_->render(left.data(), right.data(), 300, atFrame(begin));
            for (std::size_t i = 0; i < left.size(); ++i)
                audio_.push_back((left[i] + right[i]) / 2);
        }
        return audio_;
    }
    double latencyFrames() const {
        return std::chrono::duration<double>(synth_->latency()).count() * kRate;
    }

private:
    std::unique_ptr<ScheduledSynth> synth_;
    std::vector<float> audio_;
};

// The first frame from from on whose sample stands out of silence.
std::int64_t firstSound(const std::vector<float>& audio, std::int64_t from) {
    for (auto i = static_cast<std::size_t>(from); i < audio.size(); ++i) {
        if (std::abs(audio[i]) > 0.002f)
            return static_cast<std::int64_t>(i);
    }
    return -1;
}

double energy(const std::vector<float>& audio, std::int64_t from, std::int64_t to) {
    double sum = 0;
    for (auto i = from; i < to; ++i)
        sum += double(audio[static_cast<std::size_t>(i)]) * audio[static_cast<std::size_t>(i)];
    return sum;
}

} // namespace

TEST(FluidPhases, ClavesStampedAnywhereSoundOnTheirFrameInTheAudio) {
    FluidStream stream;
    ASSERT_TRUE(stream.ready()) << "the General MIDI sound font is missing (fluid-soundfont-gm)";
    stream.renderTo(4096);
    // Far enough apart that each hit has died away before the next; the
    // frames fall everywhere in FluidSynth's 64-frame blocks.
    std::vector<double> meant;
    for (int k = 0; k < 12; ++k)
        meant.push_back(6000.0 + 13230.0 * k + 5.3 * k * k);
    std::vector<std::int64_t> heard;
    for (double frame : meant) {
        stream.renderTo(static_cast<std::int64_t>(frame));
        stream.send(drum(75), frame);
        const auto& audio = stream.renderTo(static_cast<std::int64_t>(frame) + 8000);
        heard.push_back(firstSound(audio, static_cast<std::int64_t>(frame)));
    }
    // The claves' own attack takes the same few frames every time; what is
    // left is the grid step: within half of it.
    const double offset = double(heard[0]) - meant[0];
    EXPECT_GT(offset, stream.latencyFrames() - PhasedSynth::kGridFrames);
    for (std::size_t k = 1; k < meant.size(); ++k)
        EXPECT_NEAR(double(heard[k]) - meant[k], offset, PhasedSynth::kGridFrames + 1.0)
            << "hit " << k;
}

TEST(FluidPhases, AClosedHiHatStruckInAnotherPhaseStillChokesTheOpenOne) {
    FluidStream choked, ringing;
    ASSERT_TRUE(choked.ready() && ringing.ready());
    for (FluidStream* stream : {&choked, &ringing}) {
        stream->renderTo(4096);
        stream->send(drum(46), 5000);
    }
    // Three grid steps later: a synthesizer of its own.
    choked.send(drum(42, 1), 5000 + 3 * PhasedSynth::kGridFrames);
    const auto& cut = choked.renderTo(5000 + kRate);
    const auto& open = ringing.renderTo(5000 + kRate);
    const std::int64_t later = 5000 + kRate / 5;
    EXPECT_GT(energy(open, later, later + kRate / 5), 1e-4) << "an open hi-hat rings on";
    EXPECT_LT(energy(cut, later, later + kRate / 5), energy(open, later, later + kRate / 5) / 20);
}
