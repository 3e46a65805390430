#pragma once

#include "sound/drum_sequencer.h"

// A pattern with one sound on every step, ending after a number of steps
// (steps + 1 reports: the last one is where the next step would start).
namespace strumvale::bench {

class EveryStep : public sound::PatternSource {
public:
    EveryStep(int steps, int instrument, int tempo)
        : steps_(steps), instrument_(instrument), tempo_(tempo) {}
    bool hit(int, int track) override { return track == 1; }
    int instrument(int) override { return instrument_; }
    int volume(int) override { return 100; }
    int tempo() override { return tempo_; }
    sound::DrumFlags& flags() override { return flags_; }
    // Stops the pattern once it has sounded its steps.
    sound::DrumReports reports() {
        sound::DrumReports reports;
        reports.step = [this](int) {
            if (++marked_ > steps_)
                flags_.keepPlaying = false;
        };
        return reports;
    }

    sound::DrumFlags flags_;

private:
    int steps_;
    int instrument_;
    int tempo_;
    int marked_ = 0;
};

} // namespace strumvale::bench
