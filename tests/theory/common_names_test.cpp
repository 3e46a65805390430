#include "theory/chord_naming.h"
#include "theory/chord_symbol.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace strumvale::theory {
namespace {

constexpr std::string_view kStandard = "E1,A1,D2,G2,B2,E3";
constexpr const char* kTable = STRUMVALE_SOURCE_DIR "/tests/theory/data/common_chord_shapes.txt";

struct Shape {
    std::string name;
    std::string tab;
    int line = 0;
};

std::vector<Shape> readShapes() {
    std::vector<Shape> shapes;
    std::ifstream file(kTable);
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        if (text.empty() || text[0] == '#')
            continue;
        std::istringstream fields(text);
        Shape shape;
        shape.line = line;
        if (std::getline(fields, shape.name, '\t') && std::getline(fields, shape.tab, '\t'))
            shapes.push_back(shape);
    }
    return shapes;
}

bool sameChord(const ChordSymbol& a, const ChordSymbol& b) {
    return a.root == b.root && a.quality == b.quality && a.bass == b.bass;
}

// A chart's name for a shape is the namer's first, or at worst among its first
// three; and written as the chart writes it.
TEST(CommonNames, ChartShapesAreNamedAsChartsNameThem) {
    const std::vector<Shape> shapes = readShapes();
    ASSERT_GE(shapes.size(), 100u) << "the table of common shapes at " << kTable;
    int first = 0;
    int spelledFirst = 0;
    std::string misses;
    for (const Shape& shape : shapes) {
        SCOPED_TRACE("line " + std::to_string(shape.line) + ": " + shape.name + " " + shape.tab);
        const std::optional<ChordSymbol> meant = parseChordSymbol(shape.name);
        ASSERT_TRUE(meant.has_value());
        const std::vector<std::string> names = nameFingering(shape.tab, kStandard);
        ASSERT_FALSE(names.empty());
        std::size_t place = names.size();
        for (std::size_t i = 0; i < names.size() && i < 3 && place == names.size(); ++i) {
            const std::optional<ChordSymbol> named = parseChordSymbol(names[i]);
            if (named && sameChord(*named, *meant))
                place = i;
        }
        EXPECT_LT(place, 3u) << "named " << names.front();
        first += place == 0 ? 1 : 0;
        spelledFirst += names.front() == shape.name ? 1 : 0;
        if (place != 0 || names.front() != shape.name)
            misses += "  " + shape.name + " (" + shape.tab + "): " + names.front() + "\n";
    }
    const double firstShare = double(first) / double(shapes.size());
    const double spelledShare = double(spelledFirst) / double(shapes.size());
    std::printf("%zu shapes: chart's chord first %d (%.1f %%), spelled as the chart %d (%.1f "
                "%%)\n%s",
                shapes.size(), first, 100 * firstShare, spelledFirst, 100 * spelledShare,
                misses.c_str());
    EXPECT_GE(firstShare, 0.9) << misses;
    EXPECT_GE(spelledShare, 0.9) << misses;
}

} // namespace
} // namespace strumvale::theory
