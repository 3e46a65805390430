#include "sound/drum_sequencer.h"

#include "formats/text_numbers.h"

#include <algorithm>

namespace strumvale::sound {

int stepMilliseconds(int bpm) {
    // A tempo of 0 or less would divide by zero or go negative: the shortest step.
    if (bpm <= 0)
        return 100;
    // A single-precision factor in wider arithmetic: that is what makes
    // 120 bpm 499 ms rather than 500 (in float the product rounds to 2.0).
    float factor = 0.016666668f;
    int ms = static_cast<int>(1000 / (bpm * static_cast<double>(factor)));
    return std::clamp(ms, 100, 2000);
}

int stepMilliseconds(std::string_view tempoText) {
    return stepMilliseconds(formats::leadingInteger(tempoText));
}

DrumSequencer::~DrumSequencer() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

void DrumSequencer::start(PatternSource& source) {
    if (!player_.beginPlaying())
        return;
    // The flag was clear, so a pattern before has done its work.
    if (worker_.joinable())
        worker_.join();
    try {
        worker_ = std::jthread([this, &source](std::stop_token stop) { run(source, stop); });
    } catch (const std::system_error&) {
        player_.endPlaying();
    }
}

void DrumSequencer::run(PatternSource& source, std::stop_token stop) {
    DrumFlags& flags = source.flags();
    source.showPlayCaption(kStopCaption);
    Clock& clock = player_.clock();
    // Steps are due at fixed times from the start, so sending and reading
    // the page do not make the tempo drift.
    Clock::TimePoint deadline = clock.now();
    bool ended = false;
    do {
        for (int step = 1; step <= kDrumSteps && flags.keepPlaying && !ended; ++step) {
            source.markStep(step);
            for (int track = 1; track <= kDrumTracks && !ended; ++track) {
                if (source.hit(step, track) &&
                    !player_.drumHit(source.instrument(track), source.volume(track)))
                    ended = true;
            }
            deadline += milliseconds(stepMilliseconds(source.tempoText()));
            if (!ended && !clock.sleepUntil(deadline, stop))
                ended = true;
            for (int track = 1; track <= kDrumTracks; ++track) {
                if (source.hit(step, track) && !player_.drumRelease(source.instrument(track)))
                    break;
            }
        }
    } while (!ended && flags.keepPlaying && flags.loopPattern);
    source.markStep(1);
    flags.keepPlaying = true;
    source.showPlayCaption(kPlayCaption);
    // Last: once the flag is clear the owner may destroy the source.
    player_.endPlaying();
}

} // namespace strumvale::sound
