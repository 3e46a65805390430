#include "theory/chord_symbol.h"
#include "theory/voicings.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr const char* kTable = STRUMVALE_SOURCE_DIR "/tests/theory/data/common_chord_shapes.txt";

struct ChartChord {
    std::string name;
    // The chart's shape first, then its alternatives.
    std::vector<std::string> tabs;
};

std::vector<ChartChord> readChart(std::ifstream& in) {
    std::vector<ChartChord> chords;
    std::map<std::string, std::size_t> byName;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::istringstream fields(line);
        std::string name, tab;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, tab, '\t'))
            continue;
        const auto [at, added] = byName.try_emplace(name, chords.size());
        if (added)
            chords.push_back({name, {}});
        chords[at->second].tabs.push_back(tab);
    }
    return chords;
}

TEST(CommonShapes, TheChartsShapesLeadTheVoicings) {
    std::ifstream in(kTable);
    ASSERT_TRUE(in) << "no chord chart at " << kTable;
    const std::vector<ChartChord> chart = readChart(in);
    ASSERT_GT(chart.size(), 100u);
    int measured = 0, unread = 0, first = 0, topThree = 0, topTen = 0;
    std::vector<std::string> missed;
    for (const ChartChord& chord : chart) {
        const std::optional<ChordSymbol> symbol = parseChordSymbol(chord.name);
        if (!symbol) {
            ++unread;
            continue;
        }
        ++measured;
        const std::vector<std::string> tabs =
            findVoicings(*symbol, "E1,A1,D2,G2,B2,E3", {.count = 10, .highestFret = 12});
        const auto placeOf = [&](const std::string& tab) {
            return std::find(tabs.begin(), tabs.end(), tab) - tabs.begin();
        };
        auto best = placeOf(chord.tabs.front());
        for (const std::string& tab : chord.tabs)
            best = std::min(best, placeOf(tab));
        first += placeOf(chord.tabs.front()) == 0 ? 1 : 0;
        topThree += best < 3 ? 1 : 0;
        topTen += best < 10 ? 1 : 0;
        if (best >= 3)
            missed.push_back(chord.name + " " + chord.tabs.front());
    }
    ASSERT_GT(measured, 0);
    const auto share = [&](int count) { return static_cast<double>(count) / measured; };
    std::cout << "chart chords " << measured << " (" << unread << " names not read): first "
              << share(first) * 100 << " %, first three " << share(topThree) * 100
              << " %, first ten " << share(topTen) * 100 << " %\n";
    std::string misses;
    for (const std::string& miss : missed)
        misses += miss + "; ";
    EXPECT_GE(share(first), 0.5) << misses;
    EXPECT_GE(share(topThree), 0.8) << misses;
}

} // namespace
} // namespace strumvale::theory
