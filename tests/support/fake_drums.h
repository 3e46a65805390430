#pragma once

#include "sound/live_pattern.h"

#include <array>

namespace strumvale::test {

// A drum pattern that only the test changes, before playing starts.
class FakeDrums final : public sound::LivePattern {
public:
    std::array<std::array<bool, sound::kDrumTracks>, sound::kDrumSteps> hits{};
    int bpm = 120;

    bool hit(int step, int track) override { return hits[step - 1][track - 1]; }
    // Track t sounds percussion row t - 1, so each track has its own key.
    int instrument(int track) override { return track - 1; }
    int volume(int) override { return 100; }
    int tempo() override { return bpm; }
};

} // namespace strumvale::test
