#include "sound/drum_sequencer.h"

namespace strumvale::sound {

DrumSequencer::~DrumSequencer() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

void DrumSequencer::start(PatternSource& source, DrumReports reports) {
    if (!player_.beginPlaying())
        return;
    // The flag was clear, so a pattern before has done its work.
    if (worker_.joinable())
        worker_.join();
    try {
        worker_ = std::jthread([this, &source, reports = std::move(reports)](std::stop_token stop) {
            run(source, reports, stop);
        });
    } catch (const std::system_error&) {
        player_.endPlaying();
    }
}

void DrumSequencer::run(PatternSource& source, const DrumReports& reports, std::stop_token stop) {
    DrumFlags& flags = source.flags();
    if (reports.started)
        reports.started();
    Clock& clock = player_.clock();
    DrumStep drums(player_);
    // Steps are due at fixed times from the start, so sending and reading
    // the page do not make the tempo drift.
    Clock::TimePoint deadline = clock.now();
    bool ended = false;
    do {
        for (int step = 1; step <= kDrumSteps && flags.keepPlaying && !ended; ++step) {
            if (reports.step)
                reports.step(step);
            ended = !drums.strike(source, step, deadline);
            deadline += milliseconds(stepMilliseconds(source.tempo()));
            const bool whole = !ended && clock.sleepUntil(deadline, stop);
            ended = ended || !whole;
            // A step cut short by a stop releases now, a whole one on its beat.
            drums.release(whole ? ChordPlayer::Moment(deadline) : ChordPlayer::Moment());
        }
    } while (!ended && flags.keepPlaying && flags.loopPattern);
    if (reports.step)
        reports.step(1);
    flags.keepPlaying = true;
    if (reports.ended)
        reports.ended();
    // Last: once the flag is clear the owner may destroy the source, and
    // what the reports reach, and start the next pattern.
    player_.endPlaying();
}

} // namespace strumvale::sound
