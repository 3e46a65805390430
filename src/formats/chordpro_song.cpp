#include "formats/chordpro_song.h"

#include "formats/chordpro_directive.h"
#include "formats/chordpro_frets.h"
#include "formats/chordpro_words.h"
#include "formats/song_file.h"
#include "model/fingering.h"

#include <algorithm>
#include <map>
#include <optional>

namespace strumvale::formats::chordpro {
namespace {

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
        const model::SongLine lyrics = lyricLineOf(line);
        for (const model::SongChord& chord : lyrics.chords) {
            if (!chord.name.empty() && chord.name[0] != '*')
                chordFound(chord.name);
        }
        if (!trimmed(lyrics.text).empty())
            lyrics_.push_back(lyrics.text);
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
