#include "formats/chordpro_directive.h"

#include "formats/chordpro_frets.h"
#include "formats/chordpro_words.h"
#include "model/fingering.h"

#include <algorithm>
#include <array>
#include <map>

namespace strumvale::formats::chordpro {
namespace {

// Short directive names as their long forms.
std::string canonicalName(const std::string& name) {
    static const std::map<std::string, std::string> kLong = {
        {"soc", "start_of_chorus"}, {"eoc", "end_of_chorus"},   {"sov", "start_of_verse"},
        {"eov", "end_of_verse"},    {"sob", "start_of_bridge"}, {"eob", "end_of_bridge"},
        {"sot", "start_of_tab"},    {"eot", "end_of_tab"},      {"sog", "start_of_grid"},
        {"eog", "end_of_grid"},     {"c", "comment"},           {"ci", "comment_italic"},
        {"cb", "comment_box"},      {"ns", "new_song"},         {"t", "title"},
        {"st", "subtitle"},
    };
    auto found = kLong.find(name);
    return found == kLong.end() ? name : found->second;
}

} // namespace

Directive directiveOf(const std::string& line) {
    const std::string inner = trimmed(std::string_view(line).substr(1, line.size() - 2));
    std::size_t nameEnd = inner.find_first_of(": \t");
    if (nameEnd == std::string::npos)
        nameEnd = inner.size();
    Directive directive;
    directive.writtenName = inner.substr(0, nameEnd);
    if (const std::size_t dash = directive.writtenName.find('-'); dash != std::string::npos)
        directive.writtenName.resize(dash);
    std::string name = lowered(inner.substr(0, nameEnd));
    if (const std::size_t dash = name.find('-'); dash != std::string::npos) {
        directive.selector = name.substr(dash + 1);
        name.resize(dash);
    }
    directive.name = canonicalName(name);
    std::string_view rest = std::string_view(inner).substr(nameEnd);
    const std::size_t argumentStart = rest.find_first_not_of(" \t");
    if (argumentStart != std::string_view::npos && rest[argumentStart] == ':')
        rest.remove_prefix(argumentStart + 1);
    directive.argument = trimmed(rest);
    return directive;
}

namespace {

bool isDefineKeyword(const std::string& word) {
    static const char* const kKeywords[] = {"base-fret", "frets",   "fingers", "keys",   "display",
                                            "format",    "diagram", "copy",    "copyall"};
    return std::any_of(std::begin(kKeywords), std::end(kKeywords),
                       [&](const char* keyword) { return word == keyword; });
}

} // namespace

std::pair<std::string, std::optional<std::string>> defineOf(const Directive& directive, int line) {
    const std::vector<std::string> all = words(directive.argument);
    if (all.empty())
        throw badLine(line, "a define without a chord name");
    const std::string& name = all[0];
    int baseFret = 1;
    std::optional<std::array<std::string, kStrings>> frets;
    auto readFrets = [&](std::size_t from) {
        if (from + kStrings > all.size())
            throw badLine(line, "a define with fewer than six frets");
        std::array<std::string, kStrings> six;
        std::copy_n(all.begin() + static_cast<std::ptrdiff_t>(from), kStrings, six.begin());
        frets = six;
    };
    auto readBase = [&](std::size_t at) {
        const std::optional<int> base = at < all.size() ? fretNumber(all[at]) : std::nullopt;
        if (!base || *base < 1)
            throw badLine(line, "a define whose base fret is not a fret from 1");
        baseFret = *base;
    };
    if (all.size() > 1 && fretNumber(all[1])) {
        readBase(1);
        readFrets(2);
    } else {
        for (std::size_t i = 1; i < all.size(); ++i) {
            if (all[i] == "base-fret") {
                readBase(++i);
            } else if (all[i] == "frets") {
                readFrets(i + 1);
                i += kStrings;
            } else if (!isDefineKeyword(all[i]) && i == 1) {
                throw badLine(line, "a define that cannot be read");
            }
        }
    }
    if (!frets)
        return {name, std::nullopt};
    // Refused where it enters rather than kept as a tab nothing can play.
    if (const int highest = highestDefinedFret(baseFret, *frets); !model::isFretOnTheNeck(highest))
        throw ChordProError(ChordProError::Kind::BeyondTheNeck, line,
                            "line " + std::to_string(line) + ": " + model::beyondTheNeck(highest));
    std::optional<std::string> tab = tabOfDefine(baseFret, *frets);
    if (!tab)
        throw badLine(line, "a define with a fret that is no fret");
    return {name, tab};
}

bool isKnownDirective(const std::string& name) {
    static const char* const kKnown[] = {
        "title",  "subtitle", "artist",         "composer",    "lyricist",  "album",
        "year",   "key",      "capo",           "tempo",       "time",      "duration",
        "meta",   "comment",  "comment_italic", "comment_box", "highlight", "chorus",
        "define", "chord",    "transpose",      "copyright"};
    if (name.starts_with("start_of_") || name.starts_with("end_of_"))
        return name.size() > 9;
    return std::any_of(std::begin(kKnown), std::end(kKnown),
                       [&](const char* known) { return name == known; });
}

} // namespace strumvale::formats::chordpro
