#pragma once

#include "platform/block_synth.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

// Sample-accurate sound from synthesizers that start notes only on their own
// block grid: kPhases of them run with grids a kGridFrames step apart, each
// note-on goes to the one whose block starts nearest its frame, and every
// other message reaches each of them at its own nearest block start. Output
// is their sum; what one synthesizer would do across notes (a note struck
// again releases the first, a closed hi-hat chokes the open one) is done
// across all of them.
namespace strumvale::platform {

struct FramedMessage {
    // The stream frame the message is meant for; one in the past is applied
    // at once.
    double frame;
    std::uint32_t message;
};

class PhasedSynth {
public:
    static constexpr int kPhases = 8;
    static constexpr int kGridFrames = BlockSynth::kBlockFrames / kPhases;

    // Exactly kPhases synthesizers, alike and silent.
    explicit PhasedSynth(std::vector<std::unique_ptr<BlockSynth>> phases);

    // Queues messages in the order given (their frames in that order too);
    // then renders the next frames, adding them to left and right.
    void render(float* left, float* right, int frames, const std::vector<FramedMessage>& due);

    std::int64_t position() const { return position_; }
    BlockSynth& phase(int index) { return *phases_[static_cast<std::size_t>(index)]; }

private:
    struct Application {
        std::int64_t frame;
        std::uint64_t order;
        int phase; // the one synthesizer it goes to
        std::uint32_t message;
        bool noteOn;
    };

    void schedule(const FramedMessage& message);
    void apply(const Application& application);
    void mixAll(float* left, float* right, std::int64_t from, std::int64_t to);
    std::int64_t blockStartNear(int phase, double frame) const;
    std::int64_t blockStartFrom(int phase, std::int64_t frame) const;

    std::vector<std::unique_ptr<BlockSynth>> phases_;
    std::int64_t position_ = 0;
    std::uint64_t order_ = 0;
    std::vector<Application> pending_;
    // Which phases a key is sounding in, per channel.
    std::array<std::array<std::bitset<kPhases>, 128>, 16> sounding_{};
};

} // namespace strumvale::platform
