#include "formats/chordpro_song.h"

#include "formats/chordpro_frets.h"
#include "formats/chordpro_words.h"
#include "model/fingering.h"

#include <algorithm>
#include <map>
#include <optional>

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

struct Directive {
    std::string name; // lower case, without a selector
    std::string selector;
    std::string argument;
};

Directive directiveOf(const std::string& line) {
    const std::string inner = trimmed(std::string_view(line).substr(1, line.size() - 2));
    std::size_t nameEnd = inner.find_first_of(": \t");
    if (nameEnd == std::string::npos)
        nameEnd = inner.size();
    Directive directive;
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

bool isDefineKeyword(const std::string& word) {
    static const char* const kKeywords[] = {"base-fret", "frets",   "fingers", "keys",   "display",
                                            "format",    "diagram", "copy",    "copyall"};
    return std::any_of(std::begin(kKeywords), std::end(kKeywords),
                       [&](const char* keyword) { return word == keyword; });
}

// {define: NAME base-fret B frets F6 .. F1 ...}, or the older NAME B F6 .. F1.
// The name and its tab; no tab when the define only copies or decorates.
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

bool isAny(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// A block whose lines are neither lyrics nor chords: its end directive.
std::optional<std::string> blockEnd(const std::string& name) {
    for (const char* kind : {"tab", "grid", "abc", "ly", "svg", "textblock"}) {
        if (name == std::string("start_of_") + kind)
            return std::string("end_of_") + kind;
    }
    return std::nullopt;
}

bool endsSection(const std::string& name) {
    return name.starts_with("start_of_") || name.starts_with("end_of_") ||
           isAny(name,
                 {"chorus", "comment", "comment_italic", "comment_box", "highlight", "new_song"});
}

class SongReader {
public:
    explicit SongReader(const ChordProSources& sources) : sources_(sources) {}

    model::Playlist read(const std::vector<std::string>& rawLines) {
        const std::vector<std::pair<int, std::string>> lines = joinedLines(rawLines);
        for (const auto& [number, line] : lines)
            readLine(number, line);
        model::Playlist playlist;
        for (const Found& found : found_) {
            if (found.separator)
                playlist.append(model::Playlist::separator());
            else
                playlist.append(chordNamed(found.name));
        }
        playlist.Lyrics = lyricsText();
        return playlist;
    }

private:
    struct Found {
        bool separator = false;
        std::string name; // UTF-8
    };

    // A line ending in a backslash goes on with the next, whose leading
    // blanks are dropped.
    static std::vector<std::pair<int, std::string>>
    joinedLines(const std::vector<std::string>& raw) {
        std::vector<std::pair<int, std::string>> lines;
        bool continued = false;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            std::string line = raw[i];
            if (continued) {
                lines.back().second +=
                    line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
            } else {
                lines.emplace_back(static_cast<int>(i) + 1, line);
            }
            std::string& last = lines.back().second;
            continued = !last.empty() && last.back() == '\\';
            if (continued)
                last.pop_back();
        }
        return lines;
    }

    void readLine(int number, const std::string& line) {
        const std::string text = trimmed(line);
        if (inBlock_) {
            if (text.starts_with('{') && text.ends_with('}') &&
                directiveOf(text).name == *inBlock_) {
                inBlock_.reset();
                boundary();
            }
            return;
        }
        if (line.starts_with('#'))
            return;
        if (text.empty()) {
            boundary();
            lyricBlank();
            return;
        }
        if (text.starts_with('{')) {
            if (!text.ends_with('}'))
                throw badLine(number, "a directive that does not end on its line");
            readDirective(number, directiveOf(text));
            return;
        }
        readLyricLine(line);
    }

    void readDirective(int number, const Directive& directive) {
        if (!directive.selector.empty() && directive.selector != "guitar") {
            // Meant for another instrument or output, and so is a section it opens.
            if (directive.name.starts_with("start_of_"))
                inBlock_ = "end_of_" + directive.name.substr(9);
            return;
        }
        if (directive.name == "define" || directive.name == "chord") {
            auto [name, tab] = defineOf(directive, number);
            if (tab && defined_.count(name) == 0)
                defined_.emplace(name, *tab);
            return;
        }
        if (const std::optional<std::string> end = blockEnd(directive.name)) {
            inBlock_ = end;
            boundary();
            return;
        }
        if (endsSection(directive.name)) {
            boundary();
            lyricBlank();
        }
    }

    void readLyricLine(const std::string& line) {
        std::string lyric;
        std::size_t i = 0;
        while (i < line.size()) {
            const std::size_t open = line.find('[', i);
            const std::size_t close =
                open == std::string::npos ? std::string::npos : line.find(']', open);
            if (close == std::string::npos) {
                lyric += line.substr(i);
                break;
            }
            lyric += line.substr(i, open - i);
            const std::string chord = trimmed(line.substr(open + 1, close - open - 1));
            if (!chord.empty() && chord[0] != '*')
                chordFound(chord);
            i = close + 1;
        }
        if (!trimmed(lyric).empty())
            lyrics_.push_back(lyric);
    }

    void chordFound(const std::string& name) {
        const int room = model::Playlist::kCapacity - static_cast<int>(found_.size());
        if (pendingBoundary_ && !found_.empty()) {
            if (room < 2)
                return;
            found_.push_back({true, {}});
        } else if (room < 1) {
            return;
        }
        pendingBoundary_ = false;
        found_.push_back({false, name});
    }

    void boundary() { pendingBoundary_ = true; }

    void lyricBlank() {
        if (!lyrics_.empty() && !lyrics_.back().empty())
            lyrics_.emplace_back();
    }

    std::string lyricsText() const {
        std::size_t count = lyrics_.size();
        while (count > 0 && lyrics_[count - 1].empty())
            --count;
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                text += '\n';
            text += toCore(lyrics_[i]);
        }
        return text;
    }

    model::Chord chordNamed(const std::string& utf8Name) const {
        const std::string name = toCore(utf8Name);
        if (auto defined = defined_.find(utf8Name); defined != defined_.end())
            return model::Chord(model::chordRootOf(name), name, defined->second);
        if (sources_.undefinedChord) {
            if (std::optional<model::Chord> chord = sources_.undefinedChord(name))
                return std::move(*chord);
        }
        return model::Chord(model::chordRootOf(name), name, std::string(model::kMutedTab));
    }

    const ChordProSources& sources_;
    std::optional<std::string> inBlock_;
    bool pendingBoundary_ = false;
    std::vector<Found> found_;
    std::map<std::string, std::string> defined_;
    std::vector<std::string> lyrics_;
};

} // namespace

model::Playlist readSong(const std::vector<std::string>& lines, const ChordProSources& sources) {
    return SongReader(sources).read(lines);
}

} // namespace strumvale::formats::chordpro
