#include "formats/chordpro.h"
#include "formats/chordpro_frets.h"
#include "model/fingering.h"
#include "model/tuning_notes.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/windows1252.h"
#include "theory/chord_symbol.h"
#include "theory/voicings.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <vector>

namespace strumvale::formats {

ChordProError::ChordProError(Kind kind, int line, const std::string& what)
    : std::runtime_error(what), kind_(kind), line_(line) {}

namespace {

using namespace chordpro;

// ---- bytes to lines -------------------------------------------------------

bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        int follow = 0;
        if (c < 0x80)
            follow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= bytes.size() && follow > 0)
            return false;
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += 1 + follow;
    }
    return true;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        throw ChordProError(ChordProError::Kind::NotText, 0, "odd length of a UTF-16 text");
    std::u16string units;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto high = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto low = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        units += static_cast<char16_t>((high << 8) | low);
    }
    // Through Windows-1252, which is what the lines become anyway.
    return platform::windows1252ToUtf8(platform::utf16ToWindows1252(units));
}

// The text as UTF-8, whatever it was written in.
std::string decodedText(std::string_view bytes) {
    if (bytes.size() > kMaxChordProBytes)
        throw ChordProError(ChordProError::Kind::TooLarge, 0, "the file is too large");
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        text = bytes.substr(3);
    else if (bytes.starts_with("\xFF\xFE"))
        text = utf16ToUtf8(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = utf16ToUtf8(bytes.substr(2), true);
    else if (isUtf8(bytes))
        text = bytes;
    else
        text = platform::windows1252ToUtf8(bytes); // Latin-1, as ChordPro allows
    for (unsigned char c : text) {
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            throw ChordProError(ChordProError::Kind::NotText, 0, "the file is not text");
    }
    return text;
}

std::vector<std::string> splitLines(std::string text) {
    // Old Mac files end their lines with a CR alone.
    if (text.find('\n') == std::string::npos)
        std::replace(text.begin(), text.end(), '\r', '\n');
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\f");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\f");
    return std::string(text.substr(first, last - first + 1));
}

std::string lowered(std::string_view text) {
    std::string low(text);
    for (char& c : low)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low;
}

std::string toCore(std::string_view utf8) {
    return platform::utf8ToWindows1252(utf8);
}

ChordProError badLine(int line, std::string_view why) {
    return ChordProError(ChordProError::Kind::BadLine, line,
                         "line " + std::to_string(line) + ": " + std::string(why));
}

// ---- our own files ---------------------------------------------------------

std::string decodeField(std::string_view field, int line) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            decoded += field[i];
            continue;
        }
        if (i + 2 >= field.size() || !std::isxdigit(static_cast<unsigned char>(field[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(field[i + 2])))
            throw badLine(line, "a broken escape");
        decoded += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 2)), nullptr, 16));
        i += 2;
    }
    return decoded;
}

struct Entry {
    model::Chord chord;
    std::string tuningNotes;
};

// name | root | tab, and since entries keep their tuning, | tuning notes when
// it is not the standard one; older files have no fourth field.
Entry entryOf(std::string_view payload, int line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = payload.find('|', start);
        fields.push_back(payload.substr(start, bar - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    if (fields.size() != 3 && fields.size() != 4)
        throw badLine(line, "an entry that is not name | root | tab [| tuning]");
    // The spaces around each '|'; a field's own edge spaces are escaped, so
    // one an editor trimmed from the end of the line is no loss.
    for (std::string_view& field : fields) {
        if (field.starts_with(' '))
            field.remove_prefix(1);
        if (field.ends_with(' '))
            field.remove_suffix(1);
    }
    Entry entry{model::Chord(toCore(decodeField(fields[1], line)),
                             toCore(decodeField(fields[0], line)),
                             toCore(decodeField(fields[2], line))),
                std::string(model::kStandardTuningNotes)};
    if (fields.size() == 4)
        entry.tuningNotes = toCore(decodeField(fields[3], line));
    return entry;
}

std::string unescapedLyric(std::string_view line) {
    if (line.starts_with(kZeroWidthSpace))
        line.remove_prefix(kZeroWidthSpace.size());
    if (line.ends_with(kZeroWidthSpace))
        line.remove_suffix(kZeroWidthSpace.size());
    std::string text(line);
    for (const LyricStandIn& standIn : kLyricStandIns) {
        for (std::size_t at = text.find(standIn.fullWidth); at != std::string::npos;
             at = text.find(standIn.fullWidth, at + 1))
            text.replace(at, standIn.fullWidth.size(), 1, standIn.ascii);
    }
    return toCore(text);
}

model::Playlist readOwnFile(const std::vector<std::string>& lines) {
    model::Playlist playlist;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string& line = lines[i];
        if (line.starts_with(kEntryKey)) {
            const Entry entry =
                entryOf(std::string_view(line).substr(kEntryKey.size()), lineNumber);
            if (!playlist.append(entry.chord, entry.tuningNotes))
                throw badLine(lineNumber, "more entries than a playlist holds");
        } else if (line.starts_with(kLyricsKey)) {
            const std::string count = line.substr(kLyricsKey.size());
            if (count.empty() || count.size() > 7 ||
                count.find_first_not_of("0123456789") != std::string::npos ||
                std::stoul(count) > lines.size() - i - 1)
                throw badLine(lineNumber, "a lyrics count that does not fit the file");
            std::string lyrics;
            for (std::size_t k = 0; k < std::stoul(count); ++k) {
                if (k > 0)
                    lyrics += '\n';
                lyrics += unescapedLyric(lines[i + 1 + k]);
            }
            playlist.Lyrics = lyrics;
            return playlist;
        }
    }
    return playlist;
}

// ---- songs from elsewhere ----------------------------------------------------

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

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> all;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == ':') {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (text[i] == '"' || text[i] == '\'') {
            end = text.find(text[i], i + 1);
            if (end == std::string_view::npos)
                end = text.size();
            all.emplace_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        all.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return all;
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

std::string rootOf(std::string_view name) {
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'G')
        return std::string(1, name[0]);
    return model::Chord().RootNote;
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
            return model::Chord(rootOf(name), name, defined->second);
        for (const model::Chord& chord : sources_.libraryChords) {
            if (chord.Name == name)
                return chord;
        }
        if (const std::optional<theory::ChordSymbol> symbol = theory::parseChordSymbol(name)) {
            const std::vector<std::string> voicings =
                theory::findVoicings(*symbol, model::kStandardTuningNotes, {1, 12});
            if (!voicings.empty())
                return model::Chord(rootOf(name), name, voicings.front());
        }
        return model::Chord(rootOf(name), name, std::string(model::kMutedTab));
    }

    const ChordProSources& sources_;
    std::optional<std::string> inBlock_;
    bool pendingBoundary_ = false;
    std::vector<Found> found_;
    std::map<std::string, std::string> defined_;
    std::vector<std::string> lyrics_;
};

} // namespace

model::Playlist readChordPro(std::string_view bytes, const ChordProSources& sources) {
    const std::vector<std::string> lines = splitLines(decodedText(bytes));
    const bool ours = std::find(lines.begin(), lines.end(), kMarker) != lines.end();
    if (ours)
        return readOwnFile(lines);
    return SongReader(sources).read(lines);
}

model::Playlist LoadPlaylist(const std::string& path, const ChordProSources& sources) {
    const platform::ReadOnlyFile file(path);
    if (file.size() > kMaxChordProBytes)
        throw ChordProError(ChordProError::Kind::TooLarge, 0, "the file is too large");
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    bytes.resize(file.readAt(0, bytes.data(), bytes.size()));
    return readChordPro(bytes, sources);
}

} // namespace strumvale::formats
