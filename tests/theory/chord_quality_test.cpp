#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace strumvale::theory {
namespace {

ToneSet toneSet(const std::vector<int>& semitones) {
    ToneSet set = 0;
    for (int semitone : semitones)
        set |= tone(semitone);
    return set;
}

struct Written {
    std::string_view suffix;
    // Intervals in semitones above the root, written out from the chord's
    // spelling: 1 = 0, b9 = 1, 9 = 2, b3/#9 = 3, 3 = 4, 4/11 = 5, b5/#11 = 6,
    // 5 = 7, #5/b13 = 8, 6/13 = 9, b7 = 10, 7 = 11.
    std::vector<int> required;
    std::vector<int> optional;
};

// What must sound and what may be left out, from the chord tones as a theory
// text names them; the fifth, and the ninth and eleventh under a thirteenth,
// may always be left out.
const std::vector<Written>& writtenQualities() {
    static const std::vector<Written> written = {
        {"", {0, 4}, {7}},                  // 1 3 5
        {"m", {0, 3}, {7}},                 // 1 b3 5
        {"5", {0, 7}, {}},                  // 1 5
        {"7", {0, 4, 10}, {7}},             // 1 3 5 b7
        {"m7", {0, 3, 10}, {7}},            // 1 b3 5 b7
        {"maj7", {0, 4, 11}, {7}},          // 1 3 5 7
        {"sus4", {0, 5, 7}, {}},            // 1 4 5
        {"sus2", {0, 2, 7}, {}},            // 1 2 5
        {"6", {0, 4, 9}, {7}},              // 1 3 5 6
        {"m6", {0, 3, 9}, {7}},             // 1 b3 5 6
        {"dim", {0, 3, 6}, {}},             // 1 b3 b5
        {"aug", {0, 4, 8}, {}},             // 1 3 #5
        {"dim7", {0, 3, 6, 9}, {}},         // 1 b3 b5 bb7
        {"m7b5", {0, 3, 6, 10}, {}},        // 1 b3 b5 b7
        {"7sus4", {0, 5, 10}, {7}},         // 1 4 5 b7
        {"add9", {0, 4, 2}, {7}},           // 1 3 5 9
        {"madd9", {0, 3, 2}, {7}},          // 1 b3 5 9
        {"m(maj7)", {0, 3, 11}, {7}},       // 1 b3 5 7
        {"9", {0, 4, 10, 2}, {7}},          // 1 3 5 b7 9
        {"m9", {0, 3, 10, 2}, {7}},         // 1 b3 5 b7 9
        {"maj9", {0, 4, 11, 2}, {7}},       // 1 3 5 7 9
        {"6/9", {0, 4, 9, 2}, {7}},         // 1 3 5 6 9
        {"7b5", {0, 4, 6, 10}, {}},         // 1 3 b5 b7
        {"7#5", {0, 4, 8, 10}, {}},         // 1 3 #5 b7
        {"7b9", {0, 4, 10, 1}, {7}},        // 1 3 5 b7 b9
        {"7#9", {0, 4, 10, 3}, {7}},        // 1 3 5 b7 #9
        {"11", {0, 5, 10}, {7, 2}},         // 1 (5) b7 (9) 11, no third
        {"m11", {0, 3, 10, 5}, {7, 2}},     // 1 b3 (5) b7 (9) 11
        {"13", {0, 4, 10, 9}, {7, 2, 5}},   // 1 3 (5) b7 (9) (11) 13
        {"maj7#11", {0, 4, 11, 6}, {7}},    // 1 3 5 7 #11
        {"7#11", {0, 4, 10, 6}, {7}},       // 1 3 5 b7 #11
        {"9#11", {0, 4, 10, 2, 6}, {7}},    // 1 3 5 b7 9 #11
        {"7b13", {0, 4, 10, 8}, {7}},       // 1 3 5 b7 b13
        {"9sus4", {0, 5, 10, 2}, {7}},      // 1 4 5 b7 9
        {"13sus4", {0, 5, 10, 9}, {7, 2}},  // 1 4 5 b7 (9) 13
        {"7sus2", {0, 2, 10}, {7}},         // 1 2 5 b7
        {"add11", {0, 4, 5}, {7}},          // 1 3 4 5
        {"madd11", {0, 3, 5}, {7}},         // 1 b3 4 5
        {"m6/9", {0, 3, 9, 2}, {7}},        // 1 b3 5 6 9
        {"maj13", {0, 4, 11, 9}, {7, 2}},   // 1 3 5 7 (9) 13
        {"m13", {0, 3, 10, 9}, {7, 2, 5}},  // 1 b3 5 b7 (9) (11) 13
        {"maj7#5", {0, 4, 8, 11}, {}},      // 1 3 #5 7
        {"13b9", {0, 4, 10, 1, 9}, {7}},    // 1 3 5 b7 b9 13
        {"7b9b13", {0, 4, 10, 1, 8}, {7}},  // 1 3 5 b7 b9 b13
        {"7alt", {0, 4, 10, 3, 8}, {1, 6}}, // 1 3 b7 #9 #5, b9 and b5 if wanted
    };
    return written;
}

TEST(ChordQualities, EachQualityHoldsTheTonesItsNameSpells) {
    for (const Written& written : writtenQualities()) {
        SCOPED_TRACE("C" + std::string(written.suffix));
        const std::optional<ChordSymbol> symbol =
            parseChordSymbol("C" + std::string(written.suffix));
        ASSERT_TRUE(symbol.has_value());
        ASSERT_NE(symbol->quality, nullptr);
        EXPECT_EQ(symbol->quality->suffix, written.suffix);
        EXPECT_EQ(symbol->quality->required, toneSet(written.required));
        EXPECT_EQ(symbol->quality->optional, toneSet(written.optional));
        EXPECT_EQ(symbol->tones(), toneSet(written.required) | toneSet(written.optional));
    }
}

TEST(ChordQualities, NoQualityGoesWithoutItsWrittenTones) {
    for (const Quality& quality : qualities()) {
        bool written = false;
        for (const Written& row : writtenQualities())
            written = written || row.suffix == quality.suffix;
        EXPECT_TRUE(written) << quality.suffix;
    }
}

TEST(ChordQualities, ChartSpellingsOfTheNewQualitiesRead) {
    const std::vector<std::pair<std::string_view, std::string_view>> spellings = {
        {"Cmaj7(#11)", "Cmaj7#11"},
        {"C\xCE\x94"
         "7#11",
         "Cmaj7#11"},
        {"C7(#11)", "C7#11"},
        {"C9(#11)", "C9#11"},
        {"C7(b13)", "C7b13"},
        {"C9sus", "C9sus4"},
        {"C13sus", "C13sus4"},
        {"C7sus2", "C7sus2"},
        {"Cadd4", "Cadd11"},
        {"C(add11)", "Cadd11"},
        {"Cm(add11)", "Cmadd11"},
        {"Cm69", "Cm6/9"},
        {"C-6/9", "Cm6/9"},
        {"CM13", "Cmaj13"},
        {"Cmin13", "Cm13"},
        {"C+maj7", "Cmaj7#5"},
        {"Cmaj7(#5)", "Cmaj7#5"},
        {"C13(b9)", "C13b9"},
        {"C7(b9,b13)", "C7b9b13"},
        {"Calt", "C7alt"},
        {"C7#5#9", "C7alt"},
        {"Cm6/9/Bb", "Cm6/9/Bb"},
    };
    for (const auto& [written, meant] : spellings) {
        const std::optional<ChordSymbol> symbol = parseChordSymbol(written);
        EXPECT_EQ(symbol ? formatChordSymbol(*symbol) : "(none)", meant) << written;
    }
}

} // namespace
} // namespace strumvale::theory
