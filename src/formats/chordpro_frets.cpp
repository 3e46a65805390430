#include "formats/chordpro_frets.h"

#include "model/fingering.h"

#include <algorithm>
#include <climits>

namespace strumvale::formats::chordpro {

std::optional<int> fretNumber(std::string_view token) {
    if (token.empty() || token.size() > 2 || (token.size() == 2 && token[0] == '0'))
        return std::nullopt;
    int value = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

DefinedFrets definedFrets(std::string_view tab) {
    const model::TabTokens tokens = model::splitTab(tab);
    std::array<std::optional<int>, kStrings> frets;
    int lowest = INT_MAX;
    int highest = 0;
    for (int s = 0; s < kStrings; ++s) {
        frets[s] = fretNumber(tokens[s]);
        if (frets[s] && *frets[s] > 0) {
            lowest = std::min(lowest, *frets[s]);
            highest = std::max(highest, *frets[s]);
        }
    }
    DefinedFrets defined;
    defined.baseFret = highest <= 4 ? 1 : lowest;
    // Assigned rather than given a literal: g++ 12's optimiser warns falsely
    // (-Wrestrict) about a literal assigned to a string in an array.
    for (int s = 0; s < kStrings; ++s) {
        if (!frets[s])
            defined.frets[s].assign(1, 'x');
        else if (*frets[s] == 0)
            defined.frets[s].assign(1, '0');
        else
            defined.frets[s] = std::to_string(*frets[s] - defined.baseFret + 1);
    }
    return defined;
}

int highestDefinedFret(int baseFret, const std::array<std::string, kStrings>& frets) {
    int highest = 0;
    for (const std::string& fret : frets) {
        if (const std::optional<int> relative = fretNumber(fret); relative && *relative > 0)
            highest = std::max(highest, *relative + baseFret - 1);
    }
    return highest;
}

std::optional<std::string> tabOfDefine(int baseFret,
                                       const std::array<std::string, kStrings>& frets) {
    model::TabTokens tokens;
    for (int s = 0; s < kStrings; ++s) {
        const std::string& fret = frets[s];
        if (fret == "x" || fret == "X" || fret == "N" || fret == "n" || fret == "-1") {
            tokens[s].assign(1, 'x');
        } else if (const std::optional<int> relative = fretNumber(fret)) {
            tokens[s] = std::to_string(*relative == 0 ? 0 : *relative + baseFret - 1);
        } else {
            return std::nullopt;
        }
    }
    return model::joinTab(tokens);
}

} // namespace strumvale::formats::chordpro
