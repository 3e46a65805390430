#include "theory/playability.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr int kStrings = 6;
constexpr int kFingers = 4;
// Four frets under the hand: index at the lowest, little finger three above.
constexpr int kReach = 3;
// Four fingertips side by side do not fit between two frets.
constexpr int kTipsOnOneFret = 3;

// Strings first..last (string 6 is 0) under one finger.
struct Span {
    int first = 0;
    int last = 0;
};

bool covers(const std::optional<Span>& span, int index) {
    return span && span->first <= index && index <= span->last;
}

// Where the index can lie across the lowest fret: from the first to the last
// string at that fret within each run of fretted strings.
std::vector<Span> indexBarres(const StringFrets& frets, int lowest) {
    std::vector<Span> barres;
    int index = 0;
    while (index < kStrings) {
        if (frets[index] <= 0) {
            ++index;
            continue;
        }
        std::optional<int> first;
        int last = index;
        for (; index < kStrings && frets[index] > 0; ++index) {
            if (frets[index] == lowest) {
                first = first.value_or(index);
                last = index;
            }
        }
        if (first && last > *first)
            barres.push_back({*first, last});
    }
    return barres;
}

// Runs of adjacent strings all at the highest fret, which one finger lies across.
std::vector<Span> highBarres(const StringFrets& frets, int highest) {
    std::vector<Span> barres;
    for (int index = 0; index < kStrings;) {
        int last = index;
        while (last < kStrings && frets[last] == highest)
            ++last;
        if (last - index >= 2)
            barres.push_back({index, last - 1});
        index = std::max(last, index + 1);
    }
    return barres;
}

// Damped only by the underside of the finger on the next lower string.
bool silentStringsAreDamped(const StringFrets& frets) {
    int first = 0, last = kStrings - 1;
    while (first < kStrings && frets[first] == kSilentString)
        ++first;
    while (last > first && frets[last] == kSilentString)
        --last;
    for (int index = first + 1; index < last; ++index) {
        if (frets[index] == kSilentString && frets[index - 1] <= 0)
            return false;
    }
    return true;
}

} // namespace

HandShape handShapeOf(const StringFrets& frets) {
    HandShape shape;
    int fretted = 0;
    for (int fret : frets) {
        if (fret <= 0)
            continue;
        shape.lowestFret = fretted == 0 ? fret : std::min(shape.lowestFret, fret);
        shape.highestFret = std::max(shape.highestFret, fret);
        ++fretted;
    }
    if (shape.highestFret - shape.lowestFret > kReach || !silentStringsAreDamped(frets))
        return shape;

    std::vector<std::optional<Span>> lows{std::nullopt}, highs{std::nullopt};
    for (const Span& span : indexBarres(frets, shape.lowestFret))
        lows.emplace_back(span);
    if (shape.highestFret > shape.lowestFret) {
        for (const Span& span : highBarres(frets, shape.highestFret))
            highs.emplace_back(span);
    }
    // Fewest barres, then fewest fingers, then no finger crowding a barre, then
    // the index rather than another finger flat.
    std::optional<std::tuple<int, int, bool, bool>> best;
    for (const std::optional<Span>& low : lows) {
        for (const std::optional<Span>& high : highs) {
            std::array<int, kReach + 1> tipsAt{};
            int fingers = (low ? 1 : 0) + (high ? 1 : 0);
            bool beside = false, crowded = false;
            for (int index = 0; index < kStrings; ++index) {
                const int fret = frets[index];
                if (fret <= 0 || (fret == shape.lowestFret && covers(low, index)) ||
                    (fret == shape.highestFret && covers(high, index)))
                    continue;
                ++fingers;
                beside = beside || (low && fret == shape.lowestFret);
                const auto above = static_cast<std::size_t>(fret - shape.lowestFret);
                crowded = crowded || ++tipsAt[above] > kTipsOnOneFret;
            }
            if (fingers > kFingers || crowded)
                continue;
            const std::tuple<int, int, bool, bool> rank{(low ? 1 : 0) + (high ? 1 : 0), fingers,
                                                        beside, high.has_value()};
            if (!best || rank < *best) {
                best = rank;
                shape.barre = low.has_value();
                shape.secondBarre = high.has_value();
                shape.fingers = fingers;
                shape.fingerBesideBarre = beside;
            }
        }
    }
    shape.playable = best.has_value();
    return shape;
}

bool isPlayable(const StringFrets& frets) {
    return handShapeOf(frets).playable;
}

int fingersNeeded(const StringFrets& frets) {
    const HandShape shape = handShapeOf(frets);
    return shape.playable ? shape.fingers : -1;
}

} // namespace strumvale::theory
