#include "sound/play_along.h"

#include "model/notes.h"
#include "model/playlist.h"
#include "sound/drum_step.h"

#include <algorithm>
#include <optional>

namespace strumvale::sound {
namespace {

// A scale run starts at the C on the fifth string's third fret.
constexpr std::string_view kScaleRunOctave = "2";
constexpr int kScaleRunBpm = 120;

// One thing an entry does at a time: strike a note, or release all it struck.
struct NoteEvent {
    Clock::TimePoint at;
    std::optional<std::string> strike;
};

// holdTime < 0: the notes sound until the entry ends.
std::vector<NoteEvent> entryEvents(const std::vector<std::string>& notes, Clock::TimePoint start,
                                   int strumDelay, int holdTime) {
    std::vector<NoteEvent> events;
    Clock::TimePoint at = start;
    for (const std::string& note : notes) {
        events.push_back({at, note});
        at += milliseconds(strumDelay);
    }
    if (!notes.empty() && holdTime >= 0)
        events.push_back({at + milliseconds(holdTime), std::nullopt});
    return events;
}

// The clicks struck in one step, released together at its end as a drum
// step's hits are.
class ClickStep {
public:
    explicit ClickStep(ChordPlayer& player) : player_(player) {}
    bool strike(int sound, int velocity, Clock::TimePoint at) {
        if (velocity <= 0)
            return true;
        if (!player_.drumHit(sound, velocity, at))
            return false;
        struck_.push_back(sound);
        return true;
    }
    bool release(ChordPlayer::Moment at) {
        bool sent = true;
        for (const int sound : struck_)
            sent = sent && player_.drumRelease(sound, at);
        struck_.clear();
        return sent;
    }

private:
    ChordPlayer& player_;
    std::vector<int> struck_;
};

// A click's place in the steps of its bar.
struct ClickPlace {
    double step = 0;
    ClickKind kind = ClickKind::Beat;
};

std::vector<ClickPlace> clickPlaces(const Metronome& metronome) {
    std::vector<ClickPlace> places;
    for (const Click& click : barClicks(metronome))
        places.push_back({click.beat * kStepsPerBeat, click.kind});
    return places;
}

} // namespace

Clock::Duration stepAtBeatsPerMinute(double bpm) {
    const double seconds = 60.0 / (std::max(1.0, bpm) * kStepsPerBeat);
    return std::chrono::round<Clock::Duration>(std::chrono::duration<double>(seconds));
}

int SpeedSteps::tempoOfPass(int pass) const {
    const int every = std::max(1, everyLoops);
    const long long rise = static_cast<long long>(std::max(0, pass) / every) * step;
    if (step >= 0)
        return static_cast<int>(std::min<long long>(std::max(start, target), start + rise));
    return static_cast<int>(std::max<long long>(std::min(start, target), start + rise));
}

Score metronomeScore(const Metronome& metronome, int bpm) {
    Score score;
    score.entries = {{}};
    score.stepsPerEntry = std::max(1, metronome.metre.beatsPerBar()) * kStepsPerBeat;
    score.stepLength = [length = stepAtBeatsPerMinute(bpm)] { return length; };
    score.metronome = metronome;
    score.loop = LoopRange{0, 0};
    return score;
}

Score playlistScore(const model::Playlist& playlist, LivePattern& tempoAndDrums, bool drumsAlong) {
    Score score;
    for (int index = 0; index < playlist.count(); ++index) {
        const model::Chord& entry = playlist.entries()[static_cast<std::size_t>(index)];
        score.entries.push_back(
            model::Playlist::isSeparator(entry)
                ? std::vector<std::string>()
                : ChordPlayer::strumNotes(entry.Tab, playlist.tuningNotes(index)));
    }
    score.stepsPerEntry = 4;
    score.holdToEntryEnd = true;
    score.maxStrumShare = kPlaylistStrumShare;
    score.stepLength = [&tempoAndDrums] {
        return Clock::Duration(milliseconds(stepMilliseconds(tempoAndDrums.tempo())));
    };
    score.drums = drumsAlong ? &tempoAndDrums : nullptr;
    return score;
}

Score scaleRunScore(const std::vector<std::string>& pitchClasses) {
    std::vector<int> entries;
    for (const std::string& pitchClass : pitchClasses) {
        if (model::stripOctave(pitchClass) != pitchClass)
            continue;
        if (auto entry = model::noteIndex(pitchClass + std::string(kScaleRunOctave)))
            entries.push_back(*entry);
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    Score score;
    for (int entry : entries)
        score.entries.push_back({std::string(model::noteTable()[entry])});
    score.stepsPerEntry = 1;
    score.stepLength = [] { return Clock::Duration(milliseconds(stepMilliseconds(kScaleRunBpm))); };
    score.holdToEntryEnd = true;
    return score;
}

PlayAlong::~PlayAlong() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

bool PlayAlong::start(Score score, PlayAlongReports reports) {
    if (score.entries.empty() || (!score.stepLength && !score.speed) || !player_.beginPlaying())
        return false;
    // The player was idle, so a performance before has done its work.
    if (worker_.joinable())
        worker_.join();
    playing_ = true;
    try {
        worker_ = std::jthread([this, score = std::move(score), reports = std::move(reports)](
                                   std::stop_token stop) { run(score, reports, stop); });
    } catch (const std::system_error&) {
        playing_ = false;
        player_.endPlaying();
        return false;
    }
    return true;
}

void PlayAlong::stop() {
    if (playing_)
        worker_.request_stop();
}

void PlayAlong::waitUntilIdle() const {
    while (playing_.load())
        playing_.wait(true);
}

int PlayAlong::strumDelayFor(const Score& score, std::size_t notes, Clock::Duration step) const {
    const int delay = std::max(0, player_.strumDelay());
    if (score.maxStrumShare <= 0 || notes < 2)
        return delay;
    // The entry's length at the tempo of its first step, as the tempo is read
    // step by step.
    const double entryMs =
        std::chrono::duration<double, std::milli>(step).count() * std::max(1, score.stepsPerEntry);
    const int widest =
        static_cast<int>(entryMs * score.maxStrumShare / static_cast<double>(notes - 1));
    return std::min(delay, widest);
}

Clock::Duration PlayAlong::stepLengthOf(const Score& score, int pass) const {
    const Clock::Duration length =
        score.speed ? stepAtBeatsPerMinute(score.speed->tempoOfPass(pass)) : score.stepLength();
    return std::max<Clock::Duration>(length, std::chrono::milliseconds(1));
}

void PlayAlong::run(const Score& score, const PlayAlongReports& reports, std::stop_token stop) {
    Clock& clock = player_.clock();
    std::vector<std::string> sounding;
    DrumStep drums(player_);
    ClickStep clicks(player_);
    const auto silence = [&](ChordPlayer::Moment at) {
        bool sent = true;
        for (const std::string& note : sounding)
            sent = sent && player_.stopNote(note, at);
        sounding.clear();
        return sent;
    };

    const int stepsPerEntry = std::max(1, score.stepsPerEntry);
    const int lastEntry = static_cast<int>(score.entries.size()) - 1;
    const int first = score.loop ? std::clamp(score.loop->first, 0, lastEntry) : 0;
    const int last = score.loop ? std::clamp(score.loop->last, first, lastEntry) : lastEntry;
    const int passSteps = (last - first + 1) * stepsPerEntry;
    const std::vector<ClickPlace> places =
        score.metronome ? clickPlaces(*score.metronome) : std::vector<ClickPlace>();
    const int barSteps =
        score.metronome ? std::max(1, score.metronome->metre.beatsPerBar()) * kStepsPerBeat : 1;
    const int countInSteps =
        score.metronome ? std::clamp(score.metronome->countInBars, 0, 2) * barSteps : 0;

    int tempoShown = -1;
    const auto reportTempo = [&](int pass) {
        if (!score.speed || !reports.tempo)
            return;
        const int bpm = score.speed->tempoOfPass(pass);
        if (bpm != tempoShown)
            reports.tempo(bpm);
        tempoShown = bpm;
    };

    std::vector<NoteEvent> events;
    std::size_t next = 0;
    // The clicks of step stepInBar, in order, with its notes in between:
    // whatever comes first within the step goes first.
    const auto playStep = [&](int stepInBar, bool clicking, Clock::TimePoint stepStart,
                              Clock::TimePoint stepEnd) {
        auto place = std::find_if(places.begin(), places.end(),
                                  [&](const ClickPlace& p) { return p.step >= stepInBar; });
        const auto clickAt = [&](const ClickPlace& p) {
            const double into = p.step - stepInBar;
            return stepStart + std::chrono::round<Clock::Duration>((stepEnd - stepStart) * into);
        };
        const auto clickDue = [&] {
            return clicking && place != places.end() && place->step < stepInBar + 1;
        };
        bool carryOn = true;
        while (carryOn) {
            const bool noteDue = next < events.size() && events[next].at < stepEnd;
            const bool click = clickDue();
            if (!noteDue && !click)
                break;
            if (click && (!noteDue || clickAt(*place) <= events[next].at)) {
                const Clock::TimePoint at = clickAt(*place);
                const ClickSounds& sounds = score.metronome->sounds;
                carryOn = clock.sleepUntil(at, stop) &&
                          clicks.strike(clickSound(sounds, place->kind),
                                        clickVelocity(sounds, place->kind), at);
                ++place;
                continue;
            }
            const NoteEvent& event = events[next++];
            carryOn = clock.sleepUntil(event.at, stop);
            if (carryOn && event.strike) {
                carryOn = player_.playNote(*event.strike, event.at);
                if (carryOn)
                    sounding.push_back(*event.strike);
            } else if (carryOn) {
                carryOn = silence(event.at);
            }
        }
        carryOn = carryOn && clock.sleepUntil(stepEnd, stop);
        // On the beat while playing on; now once stopped.
        const ChordPlayer::Moment end =
            carryOn ? ChordPlayer::Moment(stepEnd) : ChordPlayer::Moment();
        carryOn = drums.release(end) && carryOn;
        return clicks.release(end) && carryOn;
    };

    reportTempo(0);
    // Every deadline is counted from this start, never from when the work
    // before it happened to finish.
    Clock::TimePoint stepStart = clock.now();
    bool carryOn = true;
    for (int step = 0; step < countInSteps && carryOn; ++step) {
        if (step % kStepsPerBeat == 0 && reports.countIn)
            reports.countIn((countInSteps - step) / kStepsPerBeat);
        const Clock::TimePoint stepEnd = stepStart + stepLengthOf(score, 0);
        // The count-in clicks even where the metronome then keeps quiet.
        carryOn = playStep(step % barSteps, true, stepStart, stepEnd);
        stepStart = stepEnd;
    }
    const bool clicking = score.metronome && score.metronome->clicks;
    for (int pass = 0; carryOn && (pass == 0 || score.loop); ++pass) {
        if (pass > 0) {
            reportTempo(pass);
            if (reports.loopPass)
                reports.loopPass(pass);
        }
        for (int step = 0; step < passSteps && carryOn; ++step) {
            const Clock::Duration length = stepLengthOf(score, pass);
            if (step % stepsPerEntry == 0) {
                const auto entry = static_cast<std::size_t>(first + step / stepsPerEntry);
                // A chord still ringing stops where the next entry begins.
                carryOn = silence(stepStart);
                if (reports.entry)
                    reports.entry(static_cast<int>(entry));
                const int hold = score.holdToEntryEnd ? -1 : std::max(0, player_.holdTime());
                events =
                    entryEvents(score.entries[entry], stepStart,
                                strumDelayFor(score, score.entries[entry].size(), length), hold);
                next = 0;
            }
            if (score.drums != nullptr && carryOn) {
                if (reports.drumStep)
                    reports.drumStep(step % kDrumSteps + 1);
                carryOn = drums.strike(*score.drums, step % kDrumSteps + 1, stepStart);
            }
            const Clock::TimePoint stepEnd = stepStart + length;
            carryOn = carryOn && playStep(step % barSteps, clicking, stepStart, stepEnd);
            stepStart = stepEnd;
        }
    }
    silence({});
    drums.release();
    clicks.release({});
    if (reports.entry)
        reports.entry(-1);
    // Idle before the last report, so that it finds the player idle.
    player_.endPlaying();
    playing_ = false;
    playing_.notify_all();
    if (reports.ended)
        reports.ended();
}

} // namespace strumvale::sound
