#include "theory/chord_symbol.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace strumvale::theory {
namespace {

constexpr ToneSet kRoot = tone(0);
constexpr ToneSet kMinorThird = tone(3);
constexpr ToneSet kMajorThird = tone(4);
constexpr ToneSet kFourth = tone(5);
constexpr ToneSet kFlatFifth = tone(6);
constexpr ToneSet kFifth = tone(7);
constexpr ToneSet kSharpFifth = tone(8);
constexpr ToneSet kSixth = tone(9);
constexpr ToneSet kFlatSeventh = tone(10);
constexpr ToneSet kMajorSeventh = tone(11);
constexpr ToneSet kNinth = tone(2);
constexpr ToneSet kFlatNinth = tone(1);
constexpr ToneSet kSharpNinth = tone(3);
constexpr ToneSet kSharpEleventh = tone(6);
constexpr ToneSet kFlatThirteenth = tone(8);

constexpr ToneSet kMajor = kRoot | kMajorThird;
constexpr ToneSet kMinor = kRoot | kMinorThird;

constexpr std::array kQualities = {
    Quality{"", kMajor, kFifth},
    Quality{"m", kMinor, kFifth},
    Quality{"5", kRoot | kFifth, 0},
    Quality{"7", kMajor | kFlatSeventh, kFifth},
    Quality{"m7", kMinor | kFlatSeventh, kFifth},
    Quality{"maj7", kMajor | kMajorSeventh, kFifth},
    Quality{"sus4", kRoot | kFourth | kFifth, 0},
    Quality{"sus2", kRoot | kNinth | kFifth, 0},
    Quality{"6", kMajor | kSixth, kFifth},
    Quality{"m6", kMinor | kSixth, kFifth},
    Quality{"dim", kMinor | kFlatFifth, 0},
    Quality{"aug", kMajor | kSharpFifth, 0},
    Quality{"dim7", kMinor | kFlatFifth | kSixth, 0},
    Quality{"m7b5", kMinor | kFlatFifth | kFlatSeventh, 0},
    Quality{"7sus4", kRoot | kFourth | kFlatSeventh, kFifth},
    Quality{"add9", kMajor | kNinth, kFifth},
    Quality{"madd9", kMinor | kNinth, kFifth},
    Quality{"m(maj7)", kMinor | kMajorSeventh, kFifth},
    Quality{"9", kMajor | kFlatSeventh | kNinth, kFifth},
    Quality{"m9", kMinor | kFlatSeventh | kNinth, kFifth},
    Quality{"maj9", kMajor | kMajorSeventh | kNinth, kFifth},
    Quality{"6/9", kMajor | kSixth | kNinth, kFifth},
    Quality{"7b5", kMajor | kFlatFifth | kFlatSeventh, 0},
    Quality{"7#5", kMajor | kSharpFifth | kFlatSeventh, 0},
    Quality{"7b9", kMajor | kFlatSeventh | kFlatNinth, kFifth},
    Quality{"7#9", kMajor | kFlatSeventh | kSharpNinth, kFifth},
    // The eleventh leaves out the third that would clash with it: G11 is G C F
    // with D and A if wanted, the F/G of charts.
    Quality{"11", kRoot | kFourth | kFlatSeventh, kFifth | kNinth},
    Quality{"m11", kMinor | kFlatSeventh | kFourth, kFifth | kNinth},
    Quality{"13", kMajor | kFlatSeventh | kSixth, kFifth | kNinth | kFourth},
    Quality{"maj7#11", kMajor | kMajorSeventh | kSharpEleventh, kFifth},
    Quality{"7#11", kMajor | kFlatSeventh | kSharpEleventh, kFifth},
    Quality{"9#11", kMajor | kFlatSeventh | kNinth | kSharpEleventh, kFifth},
    Quality{"7b13", kMajor | kFlatSeventh | kFlatThirteenth, kFifth},
    Quality{"9sus4", kRoot | kFourth | kFlatSeventh | kNinth, kFifth},
    Quality{"13sus4", kRoot | kFourth | kFlatSeventh | kSixth, kFifth | kNinth},
    Quality{"7sus2", kRoot | kNinth | kFlatSeventh, kFifth},
    Quality{"add11", kMajor | kFourth, kFifth},
    Quality{"madd11", kMinor | kFourth, kFifth},
    Quality{"m6/9", kMinor | kSixth | kNinth, kFifth},
    Quality{"maj13", kMajor | kMajorSeventh | kSixth, kFifth | kNinth},
    Quality{"m13", kMinor | kFlatSeventh | kSixth, kFifth | kNinth | kFourth},
    Quality{"maj7#5", kMajor | kSharpFifth | kMajorSeventh, 0},
    Quality{"13b9", kMajor | kFlatSeventh | kFlatNinth | kSixth, kFifth},
    Quality{"7b9b13", kMajor | kFlatSeventh | kFlatNinth | kFlatThirteenth, kFifth},
    // The altered dominant as guitarists voice it: the raised fifth and ninth,
    // to which the lowered ninth and fifth may be added.
    Quality{"7alt", kMajor | kFlatSeventh | kSharpFifth | kSharpNinth, kFlatNinth | kFlatFifth},
};

// Other spellings of the suffixes, read after spaces and parentheses around
// a whole suffix are dropped. Longest first within a prefix does not matter:
// the whole remaining text must match.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"maj", ""},
    {"M", ""},
    {"major", ""},
    {"min", "m"},
    {"-", "m"},
    {"mi", "m"},
    {"minor", "m"},
    {"M7", "maj7"},
    {"Maj7", "maj7"},
    {"ma7", "maj7"},
    {"\xCE\x94", "maj7"},
    {"\xCE\x94"
     "7",
     "maj7"},
    {"j7", "maj7"},
    {"min7", "m7"},
    {"-7", "m7"},
    {"mi7", "m7"},
    {"min6", "m6"},
    {"-6", "m6"},
    {"\xC2\xB0", "dim"},
    {"o", "dim"},
    {"\xB0", "dim"},
    {"\xC2\xB0"
     "7",
     "dim7"},
    {"o7", "dim7"},
    {"\xB0"
     "7",
     "dim7"},
    {"\xC3\xB8", "m7b5"},
    {"\xC3\xB8"
     "7",
     "m7b5"},
    {"\xF8", "m7b5"},
    {"\xF8"
     "7",
     "m7b5"},
    {"m7-5", "m7b5"},
    {"-7b5", "m7b5"},
    {"min7b5", "m7b5"},
    {"+", "aug"},
    {"+5", "aug"},
    {"#5", "aug"},
    {"sus", "sus4"},
    {"add2", "add9"},
    {"2", "sus2"},
    {"4", "sus4"},
    {"madd2", "madd9"},
    {"minadd9", "madd9"},
    {"mmaj7", "m(maj7)"},
    {"mM7", "m(maj7)"},
    {"m/maj7", "m(maj7)"},
    {"-maj7", "m(maj7)"},
    {"minmaj7", "m(maj7)"},
    {"M9", "maj9"},
    {"Maj9", "maj9"},
    {"\xCE\x94"
     "9",
     "maj9"},
    {"min9", "m9"},
    {"-9", "m9"},
    {"7sus", "7sus4"},
    {"69", "6/9"},
    {"7-5", "7b5"},
    {"7+5", "7#5"},
    {"+7", "7#5"},
    {"aug7", "7#5"},
    {"7-9", "7b9"},
    {"7+9", "7#9"},
    {"min11", "m11"},
    {"-11", "m11"},
    {"7(b9)", "7b9"},
    {"7(#9)", "7#9"},
    {"7(b5)", "7b5"},
    {"7(#5)", "7#5"},
    {"m7(b5)", "m7b5"},
    {"(add9)", "add9"},
    {"m(add9)", "madd9"},
    {"maj7(#11)", "maj7#11"},
    {"Maj7#11", "maj7#11"},
    {"M7#11", "maj7#11"},
    {"maj7+11", "maj7#11"},
    {"\xCE\x94"
     "7#11",
     "maj7#11"},
    {"7(#11)", "7#11"},
    {"7+11", "7#11"},
    {"9(#11)", "9#11"},
    {"9+11", "9#11"},
    {"7(b13)", "7b13"},
    {"7-13", "7b13"},
    {"9sus", "9sus4"},
    {"9(sus4)", "9sus4"},
    {"13sus", "13sus4"},
    {"13(sus4)", "13sus4"},
    {"7(sus2)", "7sus2"},
    {"add4", "add11"},
    {"(add11)", "add11"},
    {"madd4", "madd11"},
    {"m(add11)", "madd11"},
    {"m(add4)", "madd11"},
    {"minadd11", "madd11"},
    {"m69", "m6/9"},
    {"min6/9", "m6/9"},
    {"-6/9", "m6/9"},
    {"-69", "m6/9"},
    {"M13", "maj13"},
    {"Maj13", "maj13"},
    {"ma13", "maj13"},
    {"\xCE\x94"
     "13",
     "maj13"},
    {"min13", "m13"},
    {"mi13", "m13"},
    {"-13", "m13"},
    {"maj7(#5)", "maj7#5"},
    {"maj7+5", "maj7#5"},
    {"M7#5", "maj7#5"},
    {"M7+5", "maj7#5"},
    {"+maj7", "maj7#5"},
    {"augmaj7", "maj7#5"},
    {"13(b9)", "13b9"},
    {"13-9", "13b9"},
    {"7(b9b13)", "7b9b13"},
    {"7(b9,b13)", "7b9b13"},
    {"7b9(b13)", "7b9b13"},
    {"alt", "7alt"},
    {"7#5#9", "7alt"},
    {"7#9#5", "7alt"},
    {"7(#5#9)", "7alt"},
    {"7+5+9", "7alt"},
};

// Reads a letter and its accidental; "H" is B and takes none, as in the
// charts that write it ("Hb" and "H#" are no notes there).
std::optional<int> readNote(std::string_view text, std::size_t& used) {
    if (text.empty())
        return std::nullopt;
    static constexpr std::array<int, 8> kNaturals = {9, 11, 0, 2, 4, 5, 7, 11}; // A..H
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'H')
        return std::nullopt;
    int pitch = kNaturals[static_cast<std::size_t>(letter - 'A')];
    used = 1;
    if (letter != 'H' && text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitch += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return ((pitch % 12) + 12) % 12;
}

const Quality* findQuality(std::string_view suffix) {
    for (const Quality& quality : kQualities) {
        if (quality.suffix == suffix)
            return &quality;
    }
    for (const auto& [alias, canonical] : kAliases) {
        if (alias == suffix)
            return findQuality(canonical);
    }
    return nullptr;
}

} // namespace

std::span<const Quality> qualities() {
    return kQualities;
}

ToneSet ChordSymbol::tones() const {
    ToneSet set = 0;
    const ToneSet intervals = quality != nullptr ? quality->required | quality->optional : 0;
    for (int interval = 0; interval < 12; ++interval) {
        if ((intervals & tone(interval)) != 0)
            set |= tone(root + interval);
    }
    if (bass)
        set |= tone(*bass);
    return set;
}

std::optional<ChordSymbol> parseChordSymbol(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ')
            compact += c;
    }
    std::size_t used = 0;
    // The root must be an upper-case letter: "am" is no symbol a reader
    // could tell from a word.
    if (compact.empty() || compact[0] < 'A' || compact[0] > 'H')
        return std::nullopt;
    const std::optional<int> root = readNote(compact, used);
    if (!root)
        return std::nullopt;
    std::string_view rest = std::string_view(compact).substr(used);

    ChordSymbol symbol;
    symbol.root = *root;
    // A bass after the last "/", unless that "/" belongs to "6/9" or "m/maj7".
    const std::size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos) {
        std::size_t bassUsed = 0;
        const std::string_view after = rest.substr(slash + 1);
        const std::optional<int> bass = readNote(after, bassUsed);
        if (bass && bassUsed == after.size() &&
            std::isupper(static_cast<unsigned char>(after[0]))) {
            if (*bass != symbol.root)
                symbol.bass = bass;
            rest = rest.substr(0, slash);
        }
    }
    symbol.quality = findQuality(rest);
    if (symbol.quality == nullptr && rest.size() >= 2 && rest.front() == '(' && rest.back() == ')')
        symbol.quality = findQuality(rest.substr(1, rest.size() - 2));
    if (symbol.quality == nullptr)
        return std::nullopt;
    return symbol;
}

} // namespace strumvale::theory
