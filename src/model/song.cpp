#include "model/song.h"

#include <algorithm>

namespace strumvale::model {

namespace {

// Directives whose argument is the song's metadata, in the order they are
// added to a song that lacks them.
constexpr std::string_view kMetaNames[] = {"title", "subtitle", "artist",   "composer", "lyricist",
                                           "album", "year",     "key",      "capo",     "tempo",
                                           "time",  "duration", "copyright"};

bool isMetaName(std::string_view name) {
    return std::find(std::begin(kMetaNames), std::end(kMetaNames), name) != std::end(kMetaNames);
}

// "{meta: artist Someone}": the name and the value.
std::pair<std::string, std::string> metaPair(const std::string& argument) {
    const std::size_t space = argument.find_first_of(" \t");
    if (space == std::string::npos)
        return {argument, {}};
    const std::size_t value = argument.find_first_not_of(" \t", space);
    return {argument.substr(0, space), value == std::string::npos ? "" : argument.substr(value)};
}

} // namespace

bool appliesHere(const SongLine& line) {
    return line.selector.empty() || line.selector == "guitar";
}

std::optional<std::string> Song::meta(std::string_view name) const {
    for (const SongLine& line : lines) {
        if (line.kind != SongLine::Kind::Directive || !appliesHere(line))
            continue;
        if (line.name == name)
            return line.argument;
        if (line.name == "meta") {
            auto [metaName, value] = metaPair(line.argument);
            if (metaName == name)
                return value;
        }
    }
    return std::nullopt;
}

void Song::setMeta(std::string_view name, const std::string& value) {
    std::size_t after = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SongLine& line = lines[i];
        if (line.kind != SongLine::Kind::Directive || !appliesHere(line))
            continue;
        if (line.name == name) {
            line.argument = value;
            return;
        }
        if (line.name == "meta" && metaPair(line.argument).first == name) {
            line.argument = std::string(name) + " " + value;
            return;
        }
        if (isMetaName(line.name) || line.name == "meta")
            after = i + 1;
    }
    SongLine added;
    added.kind = SongLine::Kind::Directive;
    added.name = std::string(name);
    added.writtenName = added.name;
    added.argument = value;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after), added);
}

std::vector<SheetSection> sheetOf(const Song& song) {
    std::vector<SheetSection> sections(1);
    std::vector<const SongLine*> lastChorus;
    std::string lastChorusLabel;
    bool inside = false;
    auto close = [&] {
        if (sections.back().kind == "chorus" && !sections.back().recalled) {
            lastChorus = sections.back().lines;
            lastChorusLabel = sections.back().label;
        }
        sections.emplace_back();
        inside = false;
    };
    for (const SongLine& line : song.lines) {
        if (!appliesHere(line))
            continue; // meant for another instrument
        if (line.kind == SongLine::Kind::Directive) {
            if (line.name.starts_with("start_of_")) {
                if (inside || !sections.back().lines.empty())
                    close();
                sections.back().kind = line.name.substr(9);
                sections.back().label = line.argument;
                inside = true;
                continue;
            }
            if (line.name.starts_with("end_of_")) {
                close();
                continue;
            }
            if (line.name == "chorus") {
                if (!sections.back().lines.empty() || inside)
                    close();
                SheetSection& recall = sections.back();
                recall.kind = "chorus";
                recall.recalled = true;
                recall.label = line.argument.empty() ? lastChorusLabel : line.argument;
                recall.lines = lastChorus;
                close();
                continue;
            }
        }
        sections.back().lines.push_back(&line);
    }
    if (sections.back().kind == "chorus" && !sections.back().recalled)
        lastChorus = sections.back().lines;
    sections.erase(std::remove_if(sections.begin(), sections.end(),
                                  [](const SheetSection& s) {
                                      return s.lines.empty() && s.kind.empty() && s.label.empty();
                                  }),
                   sections.end());
    return sections;
}

namespace {

// "[*Coda]" is an annotation over the words, not a chord.
bool isPlayed(const SongChord& chord) {
    return !chord.name.empty() && chord.name[0] != '*';
}

// Each lyric line in the sheet's order.
template <typename Visit> void forEachLyricLine(const Song& song, Visit visit) {
    for (const SheetSection& section : sheetOf(song))
        for (const SongLine* line : section.lines)
            if (line->kind == SongLine::Kind::Lyrics)
                visit(*line);
}

} // namespace

std::vector<std::string> chordSequence(const Song& song) {
    std::vector<std::string> names;
    forEachLyricLine(song, [&](const SongLine& line) {
        for (const SongChord& chord : line.chords)
            if (isPlayed(chord))
                names.push_back(chord.name);
    });
    return names;
}

int lyricLineCount(const Song& song) {
    int count = 0;
    forEachLyricLine(song, [&](const SongLine&) { ++count; });
    return count;
}

std::optional<std::pair<int, int>> chordsOfLines(const Song& song, int first, int last) {
    int line = 0;
    int entry = 0;
    std::optional<std::pair<int, int>> range;
    forEachLyricLine(song, [&](const SongLine& lyrics) {
        for (const SongChord& chord : lyrics.chords) {
            if (!isPlayed(chord))
                continue;
            if (line >= first && line <= last) {
                if (!range)
                    range = std::pair(entry, entry);
                range->second = entry;
            }
            ++entry;
        }
        ++line;
    });
    return range;
}

} // namespace strumvale::model
