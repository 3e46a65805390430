#include "theory/voicings.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "theory/playability.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <set>

namespace strumvale::theory {
namespace {

constexpr int kStrings = model::kStringCount;
constexpr int kMuted = kSilentString;
constexpr int kSpan = 3; // the frets a hand reaches; playability judges the rest

// How a voicing is scored: the lowest total is listed first. A wrong bass
// weighs most. Silence costs most on the treble side, which a strum reaches
// (a power chord's excepted); a string damped between sounding ones costs
// more still. The open shapes (open strings with the hand in the first four
// frets) cost no position but pay for reaching past fret 3. Every other
// shape pays a little for leaving the open position and for each fret of its
// position, so voicings alike in everything else are grouped up the neck;
// among those the E-, A- and D-forms, whose bass lies under the index, come
// before the C- and G-forms, whose bass a finger reaches higher. The weights
// were set against a published chord chart's shapes.
namespace cost {
constexpr int kRootNotInBass = 60;
constexpr int kPerSilentBassString = 6;
constexpr int kPerSilentTrebleString = 14;
constexpr int kPerSilentTrebleStringOfAPowerChord = 2; // played on the low strings alone
constexpr int kPerDampedString = 25;
constexpr int kMovable = 5;
constexpr int kPerFretOfPosition = 3;              // the lowest fretted fret
constexpr int kBassAboveTheIndex = 12;             // two frets or more: a C- or G-form
constexpr int kPerFretBeyondTheFirstPosition = 20; // an open shape reaching past fret 3
constexpr int kPerOpenStringUpTheNeck = 25;        // rings away from the hand: seldom charted
constexpr int kPerOpenString = -3;                 // in an open shape: rings and frees a finger
constexpr int kFingerBesideBarre = 10;             // a barre the shape could have made whole
constexpr int kOpenStringInTheBarre = 16;          // open inside a first-fret or wide barre
constexpr int kPerFinger = 1;
constexpr int kColourAboveTheBass = 8; // a second, fourth or sixth just above the bass
constexpr int kSlashBassDoubled = 30;  // a bass outside the chord sounding higher too
// Each note that doubles a tone of a chord with four tones or more required
// (dim7, m7b5, 13…): such chords are voiced with every tone once.
constexpr int kPerDoubledTone = 20;
constexpr int kDampedBesideTheBass = 5; // string 5 under a bass on string 6, see below
// More for each silent bass string of a slash chord: its bass is meant to be heard low.
constexpr int kPerSilentBassStringOfASlashChord = 5;
} // namespace cost

// Open shapes keep the hand within the first four frets.
constexpr int kOpenPosition = 4;

// Intervals above the root that muddy the bass when they sound right above it.
constexpr ToneSet kColours = tone(1) | tone(2) | tone(5) | tone(9);

// Index 0 is string 6, as in a tab.
using Frets = StringFrets;

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
        chordTones_ = allowed_;
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
        // The two lowest notes of different pitch classes, by note-table entry.
        std::optional<int> bassString;
        std::optional<int> bassEntry, nextEntry;
        for (int index = 0; index < kStrings; ++index) {
            const int fret = frets_[index];
            if (fret == kMuted)
                continue;
            ++sounding;
            const int entry = *open_[index] + fret;
            tones |= tone(model::midiNumber(entry));
            if (!bassEntry || entry < *bassEntry) {
                if (bassEntry && (*bassEntry - entry) % 12 != 0)
                    nextEntry = bassEntry;
                bassEntry = entry;
                bassString = index;
            } else if ((entry - *bassEntry) % 12 != 0 && (!nextEntry || entry < *nextEntry)) {
                nextEntry = entry;
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
        const int bassPitch = model::midiNumber(*bassEntry) % 12;
        if (symbol_.bass && bassPitch != *symbol_.bass)
            return;
        const HandShape hand = handShapeOf(frets_);
        if (!hand.playable)
            return;
        found_.push_back({frets_, scoreOf(hand, open, *bassString, bassPitch, nextEntry)});
    }

    int scoreOf(const HandShape& hand, int open, int bassString, int bassPitch,
                std::optional<int> nextEntry) const {
        int first = 0, last = kStrings - 1;
        while (frets_[first] == kMuted)
            ++first;
        while (frets_[last] == kMuted)
            --last;
        int damped = 0;
        bool openInTheBarre = false;
        std::optional<int> lastAtLowest;
        for (int index = first; index <= last; ++index) {
            damped += frets_[index] == kMuted ? 1 : 0;
            if (frets_[index] != hand.lowestFret)
                continue;
            // An open string between two fingers at fret 2 is the open
            // position's habit (A7 x 0 2 0 2 0); under a first-fret or a wide
            // barre it is a barre broken (F as 1 0 3 2 1 1).
            const bool barreLike =
                hand.lowestFret == 1 || index - lastAtLowest.value_or(index) >= 3;
            for (int between = lastAtLowest.value_or(index); between < index; ++between)
                openInTheBarre = openInTheBarre || (frets_[between] == 0 && barreLike);
            lastAtLowest = index;
        }
        int bassNotes = 0;
        for (int index = 0; index < kStrings; ++index) {
            if (frets_[index] != kMuted &&
                model::midiNumber(*open_[index] + frets_[index]) % 12 == bassPitch)
                ++bassNotes;
        }
        const bool powerChord = symbol_.quality->suffix == "5";
        const bool openShape =
            hand.highestFret == 0 || (open > 0 && hand.highestFret <= kOpenPosition);
        const bool colourAboveTheBass =
            nextEntry && (kColours & tone(model::midiNumber(*nextEntry) - symbol_.root)) != 0;
        const bool slashBassDoubled =
            symbol_.bass && (chordTones_ & tone(bassPitch)) == 0 && bassNotes > 1;
        int score = (bassPitch == symbol_.root || symbol_.bass ? 0 : cost::kRootNotInBass);
        score += (symbol_.bass ? cost::kPerSilentBassStringOfASlashChord : 0) * first;
        score += cost::kPerSilentBassString * first +
                 (powerChord ? cost::kPerSilentTrebleStringOfAPowerChord
                             : cost::kPerSilentTrebleString) *
                     (kStrings - 1 - last);
        // A finger on string 6 leans over and silences string 5: the way
        // shells of the larger chords and slash shapes over a low bass are played.
        const bool fourTonesOrSlash =
            std::popcount(symbol_.quality->required) >= 4 || symbol_.bass.has_value();
        const int dampedBesideTheBass =
            first == 0 && last > 1 && frets_[0] > 0 && frets_[1] == kMuted && fourTonesOrSlash ? 1
                                                                                               : 0;
        score += cost::kPerDampedString * (damped - dampedBesideTheBass) +
                 cost::kDampedBesideTheBass * dampedBesideTheBass;
        if (openShape) {
            score += cost::kPerOpenString * open +
                     cost::kPerFretBeyondTheFirstPosition * std::max(0, hand.highestFret - 3);
        } else {
            score += cost::kMovable + cost::kPerFretOfPosition * hand.lowestFret +
                     cost::kPerOpenStringUpTheNeck * open +
                     (frets_[bassString] >= hand.lowestFret + 2 ? cost::kBassAboveTheIndex : 0);
        }
        score += (hand.fingerBesideBarre ? cost::kFingerBesideBarre : 0) +
                 (openInTheBarre ? cost::kOpenStringInTheBarre : 0) +
                 cost::kPerFinger * hand.fingers;
        score += (colourAboveTheBass ? cost::kColourAboveTheBass : 0) +
                 (slashBassDoubled ? cost::kSlashBassDoubled : 0);
        if (std::popcount(symbol_.quality->required) >= 4)
            score += cost::kPerDoubledTone * doubledTones();
        return score;
    }

    // The sounding strings beyond one for each pitch class they sound.
    int doubledTones() const {
        int sounding = 0;
        ToneSet heard = 0;
        for (int index = 0; index < kStrings; ++index) {
            if (frets_[index] == kMuted)
                continue;
            ++sounding;
            heard |= tone(model::midiNumber(*open_[index] + frets_[index]));
        }
        return sounding - std::popcount(heard);
    }

    const ChordSymbol& symbol_;
    VoicingLimits limits_;
    ToneSet allowed_ = 0;
    ToneSet chordTones_ = 0; // without a slash bass
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
