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

} // namespace

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
    score.stepLength = [&tempoAndDrums] { return stepMilliseconds(tempoAndDrums.tempo()); };
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
    score.stepLength = [] { return stepMilliseconds(kScaleRunBpm); };
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
    if (score.entries.empty() || !score.stepLength || !player_.beginPlaying())
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

int PlayAlong::strumDelayFor(const Score& score, std::size_t notes) const {
    const int delay = std::max(0, player_.strumDelay());
    if (score.maxStrumShare <= 0 || notes < 2)
        return delay;
    // The entry's length at the tempo of its first step, as the tempo is read
    // step by step.
    const double entryMs =
        static_cast<double>(std::max(1, score.stepLength())) * std::max(1, score.stepsPerEntry);
    const int widest =
        static_cast<int>(entryMs * score.maxStrumShare / static_cast<double>(notes - 1));
    return std::min(delay, widest);
}

void PlayAlong::run(const Score& score, const PlayAlongReports& reports, std::stop_token stop) {
    Clock& clock = player_.clock();
    std::vector<std::string> sounding;
    DrumStep drums(player_);
    const auto silence = [&](ChordPlayer::Moment at) {
        bool sent = true;
        for (const std::string& note : sounding)
            sent = sent && player_.stopNote(note, at);
        sounding.clear();
        return sent;
    };

    const int stepsPerEntry = std::max(1, score.stepsPerEntry);
    const int steps = static_cast<int>(score.entries.size()) * stepsPerEntry;
    std::vector<NoteEvent> events;
    std::size_t next = 0;
    // Every deadline is counted from this start, never from when the work
    // before it happened to finish.
    Clock::TimePoint stepStart = clock.now();
    bool carryOn = true;
    for (int step = 0; step < steps && carryOn; ++step) {
        if (step % stepsPerEntry == 0) {
            const auto entry = static_cast<std::size_t>(step / stepsPerEntry);
            // A chord still ringing stops where the next entry begins.
            carryOn = silence(stepStart);
            if (reports.entry)
                reports.entry(static_cast<int>(entry));
            const int hold = score.holdToEntryEnd ? -1 : std::max(0, player_.holdTime());
            events = entryEvents(score.entries[entry], stepStart,
                                 strumDelayFor(score, score.entries[entry].size()), hold);
            next = 0;
        }
        if (score.drums != nullptr && carryOn)
            carryOn = drums.strike(*score.drums, step % kDrumSteps + 1, stepStart);
        const Clock::TimePoint stepEnd = stepStart + milliseconds(std::max(1, score.stepLength()));
        for (; carryOn && next < events.size() && events[next].at < stepEnd; ++next) {
            const NoteEvent& event = events[next];
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
        stepStart = stepEnd;
    }
    silence({});
    drums.release();
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
