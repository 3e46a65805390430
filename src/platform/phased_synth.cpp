#include "platform/phased_synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace strumvale::platform {

namespace {

constexpr int kBlock = BlockSynth::kBlockFrames;

struct Decoded {
    int command;
    int channel;
    int key;
    int value;
};

Decoded decode(std::uint32_t message) {
    return {static_cast<int>(message & 0xF0), static_cast<int>(message & 0x0F),
            static_cast<int>((message >> 8) & 0x7F), static_cast<int>((message >> 16) & 0x7F)};
}

bool isNoteOn(const Decoded& m) {
    return m.command == 0x90 && m.value > 0;
}
bool isNoteOff(const Decoded& m) {
    return m.command == 0x80 || (m.command == 0x90 && m.value == 0);
}
// All sound off, all notes off: nothing of the channel sounds afterwards.
bool silencesChannel(const Decoded& m) {
    return m.command == 0xB0 && (m.key == 120 || m.key == 123);
}

std::int64_t roundedDown(std::int64_t frame, std::int64_t step) {
    return frame >= 0 ? frame / step * step : -((-frame + step - 1) / step) * step;
}

} // namespace

PhasedSynth::PhasedSynth(std::vector<std::unique_ptr<BlockSynth>> phases)
    : phases_(std::move(phases)) {
    if (phases_.size() != kPhases)
        throw std::invalid_argument("PhasedSynth needs one synthesizer per phase");
    // Phase j runs j grid steps ahead, so that its blocks start at stream
    // frames that are j steps before a multiple of the block.
    std::vector<float> scratch(2 * kBlock);
    for (int j = 1; j < kPhases; ++j)
        phases_[static_cast<std::size_t>(j)]->mixInto(scratch.data(), scratch.data() + kBlock,
                                                      j * kGridFrames);
    pending_.reserve(1024);
}

std::int64_t PhasedSynth::blockStartNear(int phase, double frame) const {
    const double ahead = static_cast<double>(phase * kGridFrames);
    return static_cast<std::int64_t>(std::llround((frame + ahead) / kBlock)) * kBlock -
           phase * kGridFrames;
}

std::int64_t PhasedSynth::blockStartFrom(int phase, std::int64_t frame) const {
    const std::int64_t ahead = phase * kGridFrames;
    return roundedDown(frame + ahead + kBlock - 1, kBlock) - ahead;
}

void PhasedSynth::schedule(const FramedMessage& framed) {
    const Decoded m = decode(framed.message);
    if (isNoteOn(m)) {
        // The grid step nearest the frame, or the first still to come.
        std::int64_t start =
            static_cast<std::int64_t>(std::llround(framed.frame / kGridFrames)) * kGridFrames;
        if (start < position_)
            start = roundedDown(position_ + kGridFrames - 1, kGridFrames);
        const int phase = static_cast<int>(((kBlock - start % kBlock) % kBlock) / kGridFrames);
        pending_.push_back({start, order_++, phase, framed.message, true});
        return;
    }
    for (int phase = 0; phase < kPhases; ++phase) {
        std::int64_t start = blockStartNear(phase, framed.frame);
        if (start < position_)
            start = blockStartFrom(phase, position_);
        pending_.push_back({start, order_++, phase, framed.message, false});
    }
}

void PhasedSynth::apply(const Application& application) {
    const Decoded m = decode(application.message);
    const auto self = static_cast<std::size_t>(application.phase);
    BlockSynth& synth = *phases_[self];
    synth.apply(application.message);
    if (application.noteOn) {
        auto& sounding =
            sounding_[static_cast<std::size_t>(m.channel)][static_cast<std::size_t>(m.key)];
        int classes[BlockSynth::kMostClasses];
        const int classCount = std::clamp(synth.exclusiveClasses(m.channel, m.key, classes), 0,
                                          BlockSynth::kMostClasses);
        const std::uint32_t release =
            static_cast<std::uint32_t>(0x80 | m.channel) | static_cast<std::uint32_t>(m.key) << 8;
        for (std::size_t other = 0; other < phases_.size(); ++other) {
            if (other == self)
                continue;
            if (sounding[other])
                phases_[other]->apply(release);
            for (int i = 0; i < classCount; ++i)
                phases_[other]->choke(m.channel, classes[i]);
        }
        sounding.reset();
        sounding.set(self);
    } else if (isNoteOff(m)) {
        sounding_[static_cast<std::size_t>(m.channel)][static_cast<std::size_t>(m.key)].reset(self);
    } else if (silencesChannel(m)) {
        for (auto& key : sounding_[static_cast<std::size_t>(m.channel)])
            key.reset(self);
    }
}

void PhasedSynth::mixAll(float* left, float* right, std::int64_t from, std::int64_t to) {
    if (to <= from)
        return;
    const std::int64_t offset = from - position_;
    for (auto& synth : phases_)
        synth->mixInto(left + offset, right + offset, static_cast<int>(to - from));
}

void PhasedSynth::render(float* left, float* right, int frames,
                         const std::vector<FramedMessage>& due) {
    for (const FramedMessage& message : due)
        schedule(message);
    std::sort(pending_.begin(), pending_.end(), [](const Application& a, const Application& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.order < b.order;
    });
    const std::int64_t end = position_ + frames;
    std::int64_t cursor = position_;
    std::size_t applied = 0;
    for (; applied < pending_.size() && pending_[applied].frame < end; ++applied) {
        const Application& application = pending_[applied];
        mixAll(left, right, cursor, application.frame);
        cursor = std::max(cursor, application.frame);
        apply(application);
    }
    mixAll(left, right, cursor, end);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(applied));
    position_ = end;
}

} // namespace strumvale::platform
