#include "formats/chordpro_own_file.h"

#include "formats/chordpro_frets.h"
#include "formats/chordpro_words.h"
#include "model/tuning_notes.h"

#include <cctype>
#include <string_view>

namespace strumvale::formats::chordpro {
namespace {

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

} // namespace

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

} // namespace strumvale::formats::chordpro
