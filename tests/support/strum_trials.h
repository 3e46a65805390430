#pragma once

#include "model/tuning_notes.h"
#include "sound/chord_hearing.h"
#include "support/guitar_strums.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Chords strummed right and with one fault at a time, each judged by ear
// against the fingering that was asked for.
namespace strumvale::test {

struct TrialChord {
    const char* name;
    const char* tab;
};

// Open chords as a chart shows them, and the barre shapes of the default chordfile.
inline constexpr TrialChord kTrialChords[] = {
    {"C", "x 3 2 0 1 0"},     {"A", "x 0 2 2 2 0"},     {"G", "3 2 0 0 0 3"},
    {"E", "0 2 2 1 0 0"},     {"D", "x x 0 2 3 2"},     {"Am", "x 0 2 2 1 0"},
    {"Em", "0 2 2 0 0 0"},    {"Dm", "x x 0 2 3 1"},    {"E7", "0 2 0 1 0 0"},
    {"A7", "x 0 2 0 2 0"},    {"D7", "x x 0 2 1 2"},    {"G7", "3 2 0 0 0 1"},
    {"C7", "x 3 2 3 1 0"},    {"B7", "x 2 1 2 0 2"},    {"Cmaj7", "x 3 2 0 0 0"},
    {"Fmaj7", "x x 3 2 1 0"}, {"Asus4", "x 0 2 2 3 0"}, {"Dsus2", "x x 0 2 3 0"},
    {"F", "1 3 3 2 1 1"},     {"Bm", "x 2 4 4 3 2"},    {"F#m", "2 4 4 2 2 2"},
    {"Bb", "x 1 3 3 3 1"},    {"Cm", "x 3 5 5 4 3"},    {"Gm", "3 5 5 3 3 3"},
};

enum class GuitarSource { Plucked, Nylon, Steel };

inline const char* sourceName(GuitarSource source) {
    switch (source) {
    case GuitarSource::Plucked:
        return "plucked";
    case GuitarSource::Nylon:
        return "nylon";
    case GuitarSource::Steel:
        return "steel";
    }
    return "";
}

// None when the synthesizer has no sound font.
inline std::optional<std::vector<float>> recordStrum(const std::vector<std::optional<int>>& notes,
                                                     GuitarSource source, const StrumStyle& style) {
    switch (source) {
    case GuitarSource::Plucked:
        return pluckedStrum(notes, style);
    case GuitarSource::Nylon:
        return synthStrum(notes, 24, style);
    case GuitarSource::Steel:
        return synthStrum(notes, 25, style);
    }
    return std::nullopt;
}

struct StrumTrial {
    TrialChord chord;
    GuitarSource source;
    double spreadMs;
};

struct TrialTally {
    int right = 0, rightCalledRight = 0;
    int faulty = 0, faultyCalledWrong = 0, faultyCalledRight = 0, faultPlaced = 0, faultNamed = 0;
    int noStrum = 0, unrecorded = 0;
    std::vector<std::string> misses; // what went wrong, to read

    double rightShare() const { return right ? double(rightCalledRight) / right : 0; }
    double wrongShare() const { return faulty ? double(faultyCalledWrong) / faulty : 0; }
    double placedShare() const { return faulty ? double(faultPlaced) / faulty : 0; }
};

inline bool isFault(sound::StringFinding::Kind kind) {
    using Kind = sound::StringFinding::Kind;
    return kind == Kind::Missing || kind == Kind::WrongNote || kind == Kind::RingsMuted;
}

inline std::string describeVerdict(const sound::ChordVerdict& verdict) {
    static const char* const kinds[] = {"sounds", "missing", "wrong", "muted", "rings", "?"};
    std::string text = verdict.right ? "right:" : "wrong:";
    for (const sound::StringFinding& f : verdict.strings) {
        text += ' ';
        text += std::to_string(f.string);
        text += '=';
        text += kinds[int(f.kind)];
        if (f.heard >= 0) {
            text += '(';
            text += std::to_string(f.heard);
            text += ')';
        }
    }
    return text;
}

// What else the microphone hears beside a strum (seeded per recording).
using AddToRoom = std::function<void(std::vector<float>& recording, unsigned seed)>;

// Each trial's chord as fingered, then with each string one fret sharp,
// missing, or (where it is muted) ringing open.
inline TrialTally runStrumTrials(std::span<const StrumTrial> trials,
                                 const AddToRoom& addToRoom = {}) {
    using Kind = sound::StringFinding::Kind;
    TrialTally tally;
    unsigned seed = 1;
    for (const StrumTrial& trial : trials) {
        const auto expected = sound::expectedStrum(trial.chord.tab, model::kStandardTuningNotes);
        if (!expected)
            continue;
        const std::vector<std::optional<int>> played(expected->notes.begin(),
                                                     expected->notes.end());
        const std::string label = std::string(trial.chord.name) + " " + sourceName(trial.source) +
                                  " " + std::to_string(int(trial.spreadMs)) + " ms";
        StrumStyle style;
        style.spreadMs = trial.spreadMs;
        style.seed = ++seed;
        auto audio = recordStrum(played, trial.source, style);
        if (!audio) {
            ++tally.unrecorded;
            continue;
        }
        if (addToRoom)
            addToRoom(*audio, style.seed);
        ++tally.right;
        const auto verdict = sound::checkStrum(*audio, kStrumRate, *expected);
        if (!verdict) {
            ++tally.noStrum;
            tally.misses.push_back(label + ": no strum heard");
            continue;
        }
        if (verdict->right)
            ++tally.rightCalledRight;
        else
            tally.misses.push_back(label + " called " + describeVerdict(*verdict));
        for (std::size_t s = 0; s < 6; ++s) {
            if (verdict->strings[s].kind == Kind::CannotTell)
                continue;
            std::vector<std::pair<std::vector<std::optional<int>>, Kind>> faults;
            if (played[s]) {
                auto offFret = played;
                *offFret[s] += 1;
                faults.push_back({offFret, Kind::WrongNote});
                auto missing = played;
                missing[s].reset();
                faults.push_back({missing, Kind::Missing});
            } else {
                auto ringing = played;
                ringing[s] = expected->open[s];
                faults.push_back({ringing, Kind::RingsMuted});
            }
            for (const auto& [notes, kind] : faults) {
                style.seed = ++seed;
                auto faulty = recordStrum(notes, trial.source, style);
                if (addToRoom)
                    addToRoom(*faulty, style.seed);
                const auto judged = sound::checkStrum(*faulty, kStrumRate, *expected);
                ++tally.faulty;
                const std::string fault = label + ", string " + std::to_string(6 - int(s)) +
                                          (kind == Kind::WrongNote ? " a fret sharp"
                                           : kind == Kind::Missing ? " missing"
                                                                   : " ringing");
                if (!judged) {
                    ++tally.noStrum;
                    tally.misses.push_back(fault + ": no strum heard");
                    continue;
                }
                if (judged->right) {
                    ++tally.faultyCalledRight;
                    tally.misses.push_back(fault + " called " + describeVerdict(*judged));
                } else {
                    ++tally.faultyCalledWrong;
                }
                // Placed: that string, and no other, is found at fault.
                int flagged = 0;
                for (const sound::StringFinding& finding : judged->strings)
                    flagged += isFault(finding.kind);
                if (isFault(judged->strings[s].kind) && flagged == 1)
                    ++tally.faultPlaced;
                if (judged->strings[s].kind == kind)
                    ++tally.faultNamed;
            }
        }
    }
    return tally;
}

} // namespace strumvale::test
