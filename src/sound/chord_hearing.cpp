#include "sound/chord_hearing.h"

#include "model/fingering.h"
#include "model/notes.h"
#include "model/tuning_notes.h"

#include <algorithm>
#include <cmath>

namespace strumvale::sound {

namespace {

constexpr int kPartials = 8;
// How much each partial counts: the fundamental and the octave above it most.
constexpr std::array<double, kPartials> kWeights = {1.0, 1.0, 0.8, 0.7, 0.5, 0.4, 0.3, 0.3};
// A partial is looked for this far either side of where a rigid string puts
// it, and higher up by as much as a stiff one stretches it.
constexpr double kToleranceCents = 30;
constexpr double kStretchCents = 25;
constexpr int kLowestHeard = 36; // C2 in scientific pitch, a string dropped far
// B5, the top of the note table: every note heard has a name.
constexpr int kHighestHeard = model::kLowestMidiNote + model::kNoteCount - 1;
constexpr double kStrongestCounted = 40;
constexpr double kLeakDb = 12;
constexpr double kRingingDb = 24;
constexpr double kLoneLeakDb = 24;
// A string's partials that ring stand within this of the strum's strongest.
constexpr double kBelowStrongestDb = 30;

double frequencyOf(double midi, double a4) {
    return a4 * std::pow(2.0, (midi - 69) / 12);
}

struct Window {
    double low = 0;
    double high = 0;
};

Window partialWindow(int midi, int k, double a4) {
    const double centre = k * frequencyOf(midi, a4);
    const double stretch = kStretchCents * k * k / double(kPartials * kPartials);
    return {centre * std::pow(2.0, -kToleranceCents / 1200),
            centre * std::pow(2.0, (kToleranceCents + stretch) / 1200)};
}

bool overlaps(const Window& a, const Window& b) {
    return a.low <= b.high && b.low <= a.high;
}

// The loudest peak inside the window, as an index into peaks.
std::optional<std::size_t> peakIn(const std::vector<SpectralPeak>& peaks, const Window& window) {
    auto it = std::lower_bound(peaks.begin(), peaks.end(), window.low,
                               [](const SpectralPeak& p, double f) { return p.frequency < f; });
    std::optional<std::size_t> best;
    for (; it != peaks.end() && it->frequency <= window.high; ++it) {
        const auto index = static_cast<std::size_t>(it - peaks.begin());
        if (!best || it->level > peaks[*best].level)
            best = index;
    }
    return best;
}

// Partial k of note lies where a partial of one of others lies too.
bool sharedPartial(int note, int k, const std::vector<int>& others, double a4) {
    const Window own = partialWindow(note, k, a4);
    for (int other : others) {
        for (int j = 1; j <= 2 * kPartials; ++j) {
            if (overlaps(own, partialWindow(other, j, a4)))
                return true;
        }
    }
    return false;
}

// A string that rings stands 40 dB and more over the floor, and within
// 30 dB of the strum's strongest partial; what leaks from the others' bodies
// and the room, barely 15 over the floor, and far below the strongest.
// Between, a peak counts in part. Evidence that rests on a single partial
// must stand higher: a guitar body resonates near a low string's
// fundamental even when that string is silent.
double evidenceOf(const StrumSpectrum& spectrum, const SpectralPeak& peak, bool lone) {
    const double leak =
        std::max(lone ? kLoneLeakDb : kLeakDb, spectrum.strongest - kBelowStrongestDb);
    return std::clamp((peak.level - leak) / (kRingingDb - kLeakDb), 0.0, 1.0);
}

// How much of a note's own evidence rings: the weighted share of its
// partials (among the first six, and only those no other note explains) that
// the spectrum holds. None when it has no partial of its own below the fifth.
std::optional<double> ownShare(const StrumSpectrum& spectrum, int note,
                               const std::vector<int>& others, double a4) {
    std::vector<int> own;
    for (int k = 1; k <= 6; ++k) {
        if (!sharedPartial(note, k, others, a4))
            own.push_back(k);
    }
    if (own.empty() || own.front() > 4)
        return std::nullopt;
    double present = 0, possible = 0;
    for (int k : own) {
        possible += kWeights[std::size_t(k - 1)];
        if (const auto peak = peakIn(spectrum.peaks, partialWindow(note, k, a4)))
            present += kWeights[std::size_t(k - 1)] *
                       evidenceOf(spectrum, spectrum.peaks[*peak], own.size() == 1);
    }
    return present / possible;
}

constexpr double kSoundsShare = 0.45;

std::vector<int> othersThan(const ExpectedStrum& expected, std::size_t string) {
    std::vector<int> others;
    for (std::size_t s = 0; s < expected.notes.size(); ++s) {
        if (s != string && expected.notes[s])
            others.push_back(*expected.notes[s]);
    }
    return others;
}

} // namespace

std::optional<ExpectedStrum> expectedStrum(std::string_view tab, std::string_view tuningNotes) {
    if (!model::isValidTab(tab))
        return std::nullopt;
    const model::TabTokens tokens = model::splitTab(tab);
    ExpectedStrum expected;
    for (int s = 0; s < model::kStringCount; ++s) {
        const std::string open = model::tuningNote(tuningNotes, model::kStringCount - s);
        const std::optional<int> entry = model::noteIndex(open);
        if (!entry)
            return std::nullopt;
        expected.open[std::size_t(s)] = model::midiNumber(*entry);
        const int fret = model::fretOf(tokens[std::size_t(s)]);
        if (fret >= 0)
            expected.notes[std::size_t(s)] = expected.open[std::size_t(s)] + fret;
    }
    return expected;
}

namespace {

// Notes whose partials ring, found greedily loudest first; octaves and
// notes made of others' upper partials among them.
std::vector<int> candidateNotes(const StrumSpectrum& spectrum, double a4) {
    const std::vector<SpectralPeak>& peaks = spectrum.peaks;
    // What is left of each peak once the notes found so far take their share.
    std::vector<double> left(peaks.size(), 1.0);
    std::vector<int> notes;
    for (int round = 0; round < 6; ++round) {
        int best = -1;
        double bestSalience = 0;
        for (int note = kLowestHeard; note <= kHighestHeard; ++note) {
            if (std::find(notes.begin(), notes.end(), note) != notes.end())
                continue;
            // Its fundamental must ring: the octave below a note would
            // otherwise borrow the note's partials.
            const std::optional<std::size_t> fundamental =
                peakIn(peaks, partialWindow(note, 1, a4));
            if (!fundamental || left[*fundamental] < 0.5 ||
                evidenceOf(spectrum, peaks[*fundamental], false) < 0.5)
                continue;
            double salience = 0;
            int found = 0;
            for (int k = 1; k <= kPartials; ++k) {
                if (const auto peak = peakIn(peaks, partialWindow(note, k, a4))) {
                    salience += kWeights[std::size_t(k - 1)] * left[*peak] *
                                std::min(peaks[*peak].level, kStrongestCounted) / kStrongestCounted;
                    found += k <= 4;
                }
            }
            if (found >= 2 && salience > bestSalience) {
                bestSalience = salience;
                best = note;
            }
        }
        if (best < 0 || bestSalience < 0.9)
            break;
        notes.push_back(best);
        for (int k = 1; k <= kPartials; ++k) {
            if (const auto peak = peakIn(peaks, partialWindow(best, k, a4)))
                left[*peak] *= 0.3;
        }
    }
    return notes;
}

// A high note found early may be made of a lower one's upper partials, an
// octave of another's: lowest first, keep each note with evidence of its own
// beside the notes kept below it, its fundamental among it (partials only
// ever lie above their note).
std::vector<int> notesOfTheirOwn(const StrumSpectrum& spectrum, std::vector<int> notes, double a4) {
    std::sort(notes.begin(), notes.end());
    std::vector<int> kept;
    for (int note : notes) {
        const std::optional<double> share = ownShare(spectrum, note, kept, a4);
        if (share && *share >= kSoundsShare && !sharedPartial(note, 1, kept, a4))
            kept.push_back(note);
    }
    return kept;
}

} // namespace

std::vector<int> heardNotes(const StrumSpectrum& spectrum, double a4) {
    return notesOfTheirOwn(spectrum, candidateNotes(spectrum, a4), a4);
}

ChordVerdict judgeStrum(const StrumSpectrum& spectrum, const ExpectedStrum& expected, double a4) {
    using Kind = StringFinding::Kind;
    ChordVerdict verdict;
    verdict.attack = spectrum.attack;
    verdict.right = true;
    for (std::size_t s = 0; s < expected.notes.size(); ++s) {
        StringFinding finding;
        finding.string = 6 - static_cast<int>(s);
        const std::vector<int> others = othersThan(expected, s);
        if (!expected.notes[s]) {
            // A muted string that rings anyway rings open.
            const int open = expected.open[s];
            const std::optional<double> share = ownShare(spectrum, open, others, a4);
            finding.kind = !share                   ? Kind::CannotTell
                           : *share >= kSoundsShare ? Kind::RingsMuted
                                                    : Kind::MutedAsExpected;
            if (finding.kind == Kind::RingsMuted)
                finding.heard = open;
        } else {
            const int note = *expected.notes[s];
            finding.expected = note;
            const std::optional<double> share = ownShare(spectrum, note, others, a4);
            if (!share) {
                finding.kind = Kind::CannotTell;
            } else if (*share >= kSoundsShare) {
                finding.kind = Kind::Sounds;
            } else {
                // A fret or two off, most likely: the nearest note that rings
                // with partials of its own.
                finding.kind = Kind::Missing;
                double bestShare = 0;
                for (int offset : {-1, 1, -2, 2}) {
                    const int candidate = note + offset;
                    const std::optional<double> heard = ownShare(spectrum, candidate, others, a4);
                    if (heard && *heard >= kSoundsShare + 0.15 && *heard > bestShare &&
                        peakIn(spectrum.peaks, partialWindow(candidate, 1, a4))) {
                        bestShare = *heard;
                        finding.kind = Kind::WrongNote;
                        finding.heard = candidate;
                    }
                }
            }
        }
        if (finding.kind == Kind::Missing || finding.kind == Kind::WrongNote ||
            finding.kind == Kind::RingsMuted)
            verdict.right = false;
        verdict.strings.push_back(finding);
    }
    return verdict;
}

namespace {

// The first strum of the recording; none when it holds none.
std::optional<StrumAtAttack> strumOf(std::span<const float> samples, int sampleRate, double a4) {
    const std::optional<double> attack = findAttack(samples, sampleRate);
    if (!attack)
        return std::nullopt;
    return strumAt(samples, sampleRate, *attack, a4);
}

} // namespace

std::optional<StrumAtAttack> strumAt(std::span<const float> samples, int sampleRate, double attack,
                                     double a4) {
    StrumSpectrum spectrum = strumSpectrum(samples, sampleRate, attack);
    std::vector<int> notes = notesOfTheirOwn(spectrum, candidateNotes(spectrum, a4), a4);
    std::vector<int> classes;
    for (int note : notes)
        classes.push_back(note % 12);
    std::sort(classes.begin(), classes.end());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
    // A voice or a single string is no strum: it holds one note of its own.
    if (classes.size() < 2)
        return std::nullopt;
    return StrumAtAttack{std::move(spectrum), std::move(notes)};
}

std::optional<HeardStrum> hearStrum(std::span<const float> samples, int sampleRate, double a4) {
    auto strum = strumOf(samples, sampleRate, a4);
    if (!strum)
        return std::nullopt;
    return HeardStrum{strum->spectrum.attack, std::move(strum->notes)};
}

std::optional<ChordVerdict> checkStrum(std::span<const float> samples, int sampleRate,
                                       const ExpectedStrum& expected, double a4) {
    const auto strum = strumOf(samples, sampleRate, a4);
    if (!strum)
        return std::nullopt;
    return judgeStrum(strum->spectrum, expected, a4);
}

} // namespace strumvale::sound
