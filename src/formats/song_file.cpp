#include "formats/song_file.h"

#include "formats/chordpro_directive.h"
#include "formats/chordpro_words.h"
#include "formats/song_text.h"

#include <algorithm>
#include <optional>

namespace strumvale::formats {

using model::SongLine;

namespace {

// Blocks whose lines are neither lyrics nor chords, kept as written.
bool isVerbatimBlock(const std::string& name) {
    for (const char* kind : {"tab", "grid", "abc", "ly", "svg", "textblock"}) {
        if (name == std::string("start_of_") + kind)
            return true;
    }
    return false;
}

} // namespace

SongLine lyricLineOf(const std::string& line) {
    SongLine lyrics;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t open = line.find('[', i);
        const std::size_t close =
            open == std::string::npos ? std::string::npos : line.find(']', open);
        if (close == std::string::npos) {
            lyrics.text += line.substr(i);
            break;
        }
        lyrics.text += line.substr(i, open - i);
        lyrics.chords.push_back(
            {lyrics.text.size(), chordpro::trimmed(line.substr(open + 1, close - open - 1))});
        i = close + 1;
    }
    return lyrics;
}

namespace {

class SongsReader {
public:
    std::vector<model::Song> read(std::string_view bytes) {
        const std::vector<std::string> lines = chordpro::songLines(chordpro::songTextAsUtf8(bytes));
        // The last line with text, whatever empty lines end the file.
        std::size_t lastText = lines.size();
        while (lastText > 0 && chordpro::trimmed(lines[lastText - 1]).empty())
            --lastText;
        for (std::size_t i = 0; i < lines.size(); ++i)
            readLine(static_cast<int>(i) + 1, lines[i], i + 1 == lastText);
        return std::move(songs_);
    }

private:
    void add(SongLine line) { songs_.back().lines.push_back(std::move(line)); }

    void readLine(int number, const std::string& line, bool last) {
        const std::string text = chordpro::trimmed(line);
        if (blockEnd_) {
            if (text.starts_with('{') && text.ends_with('}') &&
                chordpro::directiveOf(text).name == *blockEnd_) {
                blockEnd_.reset();
                add(directiveLine(number, line, text));
            } else {
                // A block meant for another instrument keeps its selector, so
                // that its lines are written back but not shown.
                add({SongLine::Kind::Block, line, {}, {}, {}, blockSelector_, {}, true});
            }
            return;
        }
        if (line.starts_with('#')) {
            add({SongLine::Kind::Remark, line, {}, {}, {}, {}, {}, true});
            return;
        }
        if (text.empty()) {
            add({SongLine::Kind::Blank, {}, {}, {}, {}, {}, {}, true});
            return;
        }
        if (text.starts_with('{')) {
            if (!text.ends_with('}')) {
                if (!last)
                    throw chordpro::badLine(number, "a directive that does not end on its line");
                // A file cut off mid-directive keeps what it had.
                add({SongLine::Kind::Directive, line, {}, {}, {}, {}, {}, false});
                return;
            }
            SongLine directive = directiveLine(number, line, text);
            if (directive.name == "new_song") {
                if (!songs_.back().lines.empty())
                    songs_.emplace_back();
                return;
            }
            if (directive.known && directive.name.starts_with("start_of_") &&
                (isVerbatimBlock(directive.name) || !model::appliesHere(directive))) {
                blockEnd_ = "end_of_" + directive.name.substr(9);
                blockSelector_ = directive.selector;
            }
            add(std::move(directive));
            return;
        }
        add(lyricLineOf(line));
    }

    SongLine directiveLine(int number, const std::string& line, const std::string& text) {
        const chordpro::Directive directive = chordpro::directiveOf(text);
        SongLine read;
        read.kind = SongLine::Kind::Directive;
        read.name = directive.name;
        read.writtenName = directive.writtenName;
        read.selector = directive.selector;
        read.argument = directive.argument;
        read.known = chordpro::isKnownDirective(directive.name) || directive.name == "new_song";
        if (!read.known)
            read.text = line;
        if ((read.name == "define" || read.name == "chord") && model::appliesHere(read))
            chordpro::defineOf(directive, number); // refused here, as the playlist reader does
        return read;
    }

    std::vector<model::Song> songs_ = std::vector<model::Song>(1);
    std::optional<std::string> blockEnd_;
    std::string blockSelector_;
};

std::string directiveText(const SongLine& line) {
    if (!line.known)
        return line.text;
    std::string text = "{" + (line.writtenName.empty() ? line.name : line.writtenName);
    if (!line.selector.empty())
        text += "-" + line.selector;
    if (!line.argument.empty())
        text += ": " + line.argument;
    return text + "}";
}

} // namespace

std::vector<model::Song> readSongs(std::string_view bytes) {
    return SongsReader().read(bytes);
}

std::string lyricLineText(const SongLine& line) {
    std::vector<model::SongChord> chords = line.chords;
    std::stable_sort(chords.begin(), chords.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    std::string text;
    std::size_t from = 0;
    for (const model::SongChord& chord : chords) {
        const std::size_t at = std::min(chord.at, line.text.size());
        text += line.text.substr(from, at - from);
        text += "[" + chord.name + "]";
        from = std::max(from, at);
    }
    return text + line.text.substr(std::min(from, line.text.size()));
}

std::vector<std::pair<std::string, std::string>> songDefinitions(const model::Song& song) {
    std::vector<std::pair<std::string, std::string>> definitions;
    for (const SongLine& line : song.lines) {
        if (line.kind != SongLine::Kind::Directive || !model::appliesHere(line) ||
            (line.name != "define" && line.name != "chord"))
            continue;
        try {
            const auto defined =
                chordpro::defineOf({line.name, line.writtenName, line.selector, line.argument}, 0);
            const std::string& name = defined.first;
            const bool known = std::any_of(definitions.begin(), definitions.end(),
                                           [&](const auto& d) { return d.first == name; });
            if (defined.second && !known)
                definitions.emplace_back(name, *defined.second);
        } catch (const ChordProError&) {
            // A song made in the program may hold what a file could not.
        }
    }
    return definitions;
}

std::string writeSong(const model::Song& song) {
    std::string file;
    for (const SongLine& line : song.lines) {
        switch (line.kind) {
        case SongLine::Kind::Lyrics:
            file += lyricLineText(line);
            break;
        case SongLine::Kind::Directive:
            file += directiveText(line);
            break;
        case SongLine::Kind::Blank:
            break;
        case SongLine::Kind::Remark:
        case SongLine::Kind::Block:
            file += line.text;
            break;
        }
        file += '\n';
    }
    return file;
}

std::string writeSongs(const std::vector<model::Song>& songs) {
    std::string file;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (i > 0)
            file += "{new_song}\n";
        file += writeSong(songs[i]);
    }
    return file;
}

} // namespace strumvale::formats
