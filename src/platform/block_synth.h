#pragma once

#include <cstdint>

namespace strumvale::platform {

// A synthesizer that renders in fixed blocks: a message takes effect at the
// start of the next block it renders, whatever frame it was given at.
class BlockSynth {
public:
    static constexpr int kBlockFrames = 64;
    static constexpr int kMostClasses = 8;

    virtual ~BlockSynth() = default;

    // A short MIDI message, bytes packed as a port sends them.
    virtual void apply(std::uint32_t message) = 0;
    // Adds the next frames of stereo output to left and right.
    virtual void mixInto(float* left, float* right, int frames) = 0;
    // The exclusive classes (a hi-hat's open and closed sounds) of the voices
    // that key sounds on channel; at most kMostClasses, written to classes.
    virtual int exclusiveClasses(int channel, int key, int* classes) = 0;
    // Ends at once every voice of that exclusive class on channel, as a new
    // voice of the class does within one synthesizer.
    virtual void choke(int channel, int exclusiveClass) = 0;
};

} // namespace strumvale::platform
