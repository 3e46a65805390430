#include "formats/chordpro.h"
#include "formats/chordpro_frets.h"
#include "platform/file.h"
#include "platform/windows1252.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace strumvale::formats {
namespace {

using namespace chordpro;

bool safeInName(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           std::string_view("#+-/().^").find(static_cast<char>(c)) != std::string_view::npos;
}

// Brackets, braces, spaces and markup characters would end the chord or
// start something else in other programs; a leading '*' makes an annotation.
std::string safeName(std::string_view name) {
    std::string safe;
    for (unsigned char c : name)
        safe += safeInName(c) ? static_cast<char>(c) : '_';
    return safe.empty() ? "_" : safe;
}

// Our comment fields: '|' parts them, so it and '%' are escaped, as are
// control characters and the spaces at a field's ends, which parting trims.
std::string encodeField(std::string_view field) {
    std::string encoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        const bool edgeSpace = c == ' ' && (i == 0 || i + 1 == field.size());
        if (c == '%' || c == '|' || c < 0x20 || c == 0x7F || edgeSpace) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0xF];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded;
}

std::string directiveText(std::string_view text) {
    std::string safe(text);
    for (char& c : safe) {
        if (c == '{')
            c = '(';
        else if (c == '}')
            c = ')';
        else if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    return safe;
}

// One define name per distinct chord (name and tab), unique in the file.
class DefineNames {
public:
    const std::string& nameOf(const model::Chord& chord) {
        const auto key = std::make_pair(chord.Name, chord.Tab);
        if (auto found = names_.find(key); found != names_.end())
            return found->second;
        const std::string base = safeName(chord.Name);
        std::string name = base;
        for (int n = 2; used_.count(name) != 0; ++n)
            name = base + "_" + std::to_string(n);
        used_.insert(name);
        order_.push_back(&chord);
        return names_.emplace(key, name).first->second;
    }
    const std::vector<const model::Chord*>& inOrder() const { return order_; }

private:
    std::map<std::pair<std::string, std::string>, std::string> names_;
    std::set<std::string> used_;
    std::vector<const model::Chord*> order_;
};

std::vector<std::string> lyricLines(const std::string& lyrics) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = lyrics.find('\n', start);
        lines.push_back(lyrics.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

// Written as UTF-8 already; escapes so that other programs read a lyric and
// this one reads it back. A control character other than tab, CR and form feed
// would make the file no text, so it becomes a space; a final CR would be taken
// for part of a CR LF line end.
std::string escapedLyric(std::string_view utf8) {
    std::string text;
    for (char c : utf8) {
        const auto standIn =
            std::find_if(std::begin(kLyricStandIns), std::end(kLyricStandIns),
                         [c](const LyricStandIn& each) { return each.ascii == c; });
        if (standIn != std::end(kLyricStandIns))
            text += standIn->fullWidth;
        else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\f')
            text += ' ';
        else
            text += c;
    }
    const std::size_t first = text.find_first_not_of(" \t");
    std::string line;
    if (first != std::string::npos && text[first] == '#')
        line += kZeroWidthSpace;
    line += text;
    if (!text.empty() && (text.back() == '\\' || text.back() == '\r'))
        line += kZeroWidthSpace;
    return line;
}

} // namespace

std::string writeChordPro(const model::Playlist& playlist, std::string_view title) {
    using platform::windows1252ToUtf8;
    // The title is a file's name: the system's UTF-8 already.
    std::string out = "{title: " + directiveText(title) + "}\n";
    out += kMarker;
    out += '\n';
    for (int index = 0; index < playlist.count(); ++index) {
        const model::Chord& entry = playlist.entries()[static_cast<std::size_t>(index)];
        out += kEntryKey;
        std::string fields = encodeField(entry.Name) + " | " + encodeField(entry.RootNote) + " | " +
                             encodeField(entry.Tab);
        // Standard entries are written as files without tunings wrote them.
        if (const std::string& notes = playlist.tuningNotes(index);
            notes != model::kStandardTuningNotes)
            fields += " | " + encodeField(notes);
        out += windows1252ToUtf8(fields);
        out += '\n';
    }

    DefineNames names;
    std::vector<std::vector<std::string>> sections(1);
    for (const model::Chord& entry : playlist.entries()) {
        if (model::Playlist::isSeparator(entry)) {
            if (!sections.back().empty())
                sections.emplace_back();
            continue;
        }
        sections.back().push_back(names.nameOf(entry));
    }
    for (const model::Chord* chord : names.inOrder()) {
        const DefinedFrets defined = definedFrets(chord->Tab);
        out += "{define: " + names.nameOf(*chord) + " base-fret " +
               std::to_string(defined.baseFret) + " frets";
        for (const std::string& fret : defined.frets)
            out += " " + fret;
        out += "}\n";
    }
    for (const std::vector<std::string>& section : sections) {
        if (section.empty())
            continue;
        out += '\n';
        for (std::size_t i = 0; i < section.size(); ++i) {
            out += i == 0 ? "[" : " [";
            out += section[i];
            out += ']';
        }
        out += '\n';
    }

    const std::vector<std::string> lines = lyricLines(playlist.Lyrics);
    out += "\n";
    out += kLyricsKey;
    out += std::to_string(lines.size()) + "\n";
    for (const std::string& line : lines)
        out += escapedLyric(windows1252ToUtf8(line)) + "\n";
    return out;
}

void savePlaylist(const model::Playlist& playlist, const std::string& path) {
    platform::replaceFile(path, writeChordPro(playlist, playlistTitle(path)));
}

std::string playlistTitle(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

} // namespace strumvale::formats
