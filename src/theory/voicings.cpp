#include "theory/voicings.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <set>

namespace strumvale::theory {
namespace {

constexpr int kStrings = model::kStringCount;
constexpr int kMuted = -1;
constexpr int kSpan = 3; // highest minus lowest fretted fret: four frets
constexpr int kFingers = 4;

// What a voicing costs; the lowest total is listed first.
namespace cost {
constexpr int kMutedBetweenSounding = 100; // each muted string between sounding ones
constexpr int kRootNotInBass = 30;
constexpr int kPerFretOfTheHighest = 10; // low positions first
constexpr int kPerSilentString = 5;
constexpr int kPerOpenString = -2; // open strings ring and free a finger
constexpr int kPerFinger = 1;
} // namespace cost

// Index 0 is string 6, as in a tab.
using Frets = std::array<int, kStrings>;

struct Candidate {
    Frets frets;
    int score;
};

class Search {
public:
    Search(const ChordSymbol& symbol, std::string_view tuningNotes, VoicingLimits limits)
        : symbol_(symbol), limits_(limits) {
        const ToneSet intervals = symbol.quality->required | symbol.quality->optional;
        for (int interval = 0; interval < 12; ++interval) {
            if ((intervals & tone(interval)) != 0) {
                allowed_ |= tone(symbol.root + interval);
                if ((symbol.quality->required & tone(interval)) != 0)
                    required_ |= tone(symbol.root + interval);
            }
        }
        if (symbol.bass) {
            allowed_ |= tone(*symbol.bass);
            required_ |= tone(*symbol.bass);
        }
        for (int index = 0; index < kStrings; ++index)
            open_[index] = model::noteIndex(model::tuningNote(tuningNotes, kStrings - index));
        minimumNotes_ = std::max(std::popcount(required_), symbol.quality->suffix == "5" ? 2 : 3);
    }

    std::vector<Candidate> run() {
        // Window 0 holds the fingerings with open strings only.
        for (window_ = 0; window_ <= limits_.highestFret; ++window_)
            choose(0);
        return std::move(found_);
    }

private:
    std::optional<int> pitchAt(int index, int fret) const {
        if (!open_[index])
            return std::nullopt;
        const int entry = *open_[index] + fret;
        if (entry >= model::kNoteCount)
            return std::nullopt;
        return model::midiNumber(entry) % 12;
    }
    bool allowedAt(int index, int fret) const {
        const std::optional<int> pitch = pitchAt(index, fret);
        return pitch && (allowed_ & tone(*pitch)) != 0;
    }

    void choose(int index) {
        if (index == kStrings) {
            consider();
            return;
        }
        frets_[index] = kMuted;
        choose(index + 1);
        if (allowedAt(index, 0)) {
            frets_[index] = 0;
            choose(index + 1);
        }
        if (window_ == 0)
            return;
        for (int fret = window_; fret <= std::min(window_ + kSpan, limits_.highestFret); ++fret) {
            if (allowedAt(index, fret)) {
                frets_[index] = fret;
                choose(index + 1);
            }
        }
    }

    void consider() {
        int lowestFretted = 0, highestFretted = 0, fretted = 0, sounding = 0, open = 0;
        ToneSet tones = 0;
        std::optional<int> bassPitch;
        int bassEntry = 0;
        for (int index = 0; index < kStrings; ++index) {
            const int fret = frets_[index];
            if (fret == kMuted)
                continue;
            ++sounding;
            const int entry = *open_[index] + fret;
            const int pitch = model::midiNumber(entry) % 12;
            tones |= tone(pitch);
            if (!bassPitch || entry < bassEntry) {
                bassPitch = pitch;
                bassEntry = entry;
            }
            if (fret == 0) {
                ++open;
                continue;
            }
            lowestFretted = fretted == 0 ? fret : std::min(lowestFretted, fret);
            highestFretted = std::max(highestFretted, fret);
            ++fretted;
        }
        // Each window counts the fingerings whose lowest fretted fret it starts at.
        if (lowestFretted != window_ || sounding < minimumNotes_ ||
            (tones & required_) != required_)
            return;
        if (symbol_.bass && *bassPitch != *symbol_.bass)
            return;
        int atLowest = 0;
        for (int fret : frets_)
            atLowest += fret == lowestFretted && fret > 0 ? 1 : 0;
        const int fingers = fretted - (atLowest > 1 ? atLowest - 1 : 0);
        if (fingers > kFingers || highestFretted - lowestFretted > kSpan)
            return;
        int innerMutes = 0;
        int first = 0, last = kStrings - 1;
        while (frets_[first] == kMuted)
            ++first;
        while (frets_[last] == kMuted)
            --last;
        for (int index = first; index <= last; ++index)
            innerMutes += frets_[index] == kMuted ? 1 : 0;
        const bool rootInBass = *bassPitch == symbol_.root || symbol_.bass.has_value();
        const int score = cost::kMutedBetweenSounding * innerMutes +
                          (rootInBass ? 0 : cost::kRootNotInBass) +
                          cost::kPerFretOfTheHighest * highestFretted +
                          cost::kPerSilentString * (kStrings - sounding) +
                          cost::kPerOpenString * open + cost::kPerFinger * fingers;
        found_.push_back({frets_, score});
    }

    const ChordSymbol& symbol_;
    VoicingLimits limits_;
    ToneSet allowed_ = 0;
    ToneSet required_ = 0;
    int minimumNotes_ = 3;
    std::array<std::optional<int>, kStrings> open_{};
    Frets frets_{};
    int window_ = 0;
    std::vector<Candidate> found_;
};

// Every sounding string of part sounds the same fret in whole.
bool isPartOf(const Frets& part, const Frets& whole) {
    for (int index = 0; index < kStrings; ++index) {
        if (part[index] != kMuted && part[index] != whole[index])
            return false;
    }
    return true;
}

std::string tabOf(const Frets& frets) {
    model::TabTokens tokens;
    for (int index = 0; index < kStrings; ++index)
        tokens[static_cast<std::size_t>(index)] =
            frets[index] == kMuted ? "x" : std::to_string(frets[index]);
    return model::joinTab(tokens);
}

} // namespace

std::vector<std::string> findVoicings(const ChordSymbol& symbol, std::string_view tuningNotes,
                                      VoicingLimits limits) {
    std::vector<std::string> tabs;
    if (symbol.quality == nullptr || limits.count <= 0)
        return tabs;
    // Only frets a tab can hold: a voicing past them could be neither shown nor played.
    limits.highestFret = std::clamp(limits.highestFret, 0, model::kHighestFret);
    std::vector<Candidate> candidates = Search(symbol, tuningNotes, limits).run();
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
    std::vector<Frets> listed;
    for (const Candidate& candidate : candidates) {
        if (std::any_of(listed.begin(), listed.end(),
                        [&](const Frets& earlier) { return isPartOf(candidate.frets, earlier); }))
            continue;
        listed.push_back(candidate.frets);
        tabs.push_back(tabOf(candidate.frets));
        if (static_cast<int>(tabs.size()) == limits.count)
            break;
    }
    return tabs;
}

} // namespace strumvale::theory
