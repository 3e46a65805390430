#include "sheets/chord_diagram.h"

#include "formats/chordpro_frets.h"
#include "model/fingering.h"

#include <algorithm>
#include <climits>

namespace strumvale::sheets {
namespace {

// Fewer strings on one fret (the D chord's three) are fingered one by one.
constexpr int kNarrowestBarre = 4;

} // namespace

ChordDiagram chordDiagram(std::string_view tab) {
    const model::TabTokens tokens = model::splitTab(tab);
    std::array<int, ChordDiagram::kStrings> frets{};
    int lowest = INT_MAX;
    int highest = 0;
    ChordDiagram diagram;
    for (int s = 0; s < ChordDiagram::kStrings; ++s) {
        const std::optional<int> fret = formats::chordpro::fretNumber(tokens[s]);
        frets[s] = fret.value_or(-1);
        if (!fret)
            diagram.marks[s] = ChordDiagram::Mark::Muted;
        else if (*fret == 0)
            diagram.marks[s] = ChordDiagram::Mark::Open;
        else
            diagram.marks[s] = ChordDiagram::Mark::Fretted;
        if (frets[s] > 0) {
            lowest = std::min(lowest, frets[s]);
            highest = std::max(highest, frets[s]);
        }
    }
    if (highest == 0)
        return diagram;
    diagram.baseFret = highest <= ChordDiagram::kMinimumRows ? 1 : lowest;
    diagram.rowCount = std::max(ChordDiagram::kMinimumRows, highest - diagram.baseFret + 1);
    for (int s = 0; s < ChordDiagram::kStrings; ++s) {
        if (frets[s] > 0)
            diagram.rows[s] = frets[s] - diagram.baseFret + 1;
    }

    const int first = static_cast<int>(
        std::find_if(frets.begin(), frets.end(), [](int fret) { return fret > 0; }) -
        frets.begin());
    const bool reachesString1 =
        std::all_of(frets.begin() + first, frets.end(), [&](int fret) { return fret >= lowest; });
    const bool wideEnough = ChordDiagram::kStrings - first >= kNarrowestBarre;
    if (frets[first] == lowest && frets.back() == lowest && reachesString1 && wideEnough)
        diagram.barre =
            ChordDiagram::Barre{lowest - diagram.baseFret + 1, first, ChordDiagram::kStrings - 1};
    return diagram;
}

} // namespace strumvale::sheets
