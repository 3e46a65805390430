#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A song sheet as its file holds it: every line in order, each read for what
// it is, so that writing the song back loses nothing. Sections, metadata and
// a recalled chorus are views of those lines. Text is UTF-8.
namespace strumvale::model {

// A chord at its place in a lyric line: before the byte at (0..text size).
struct SongChord {
    std::size_t at = 0;
    std::string name;

    friend bool operator==(const SongChord&, const SongChord&) = default;
};

struct SongLine {
    enum class Kind {
        Lyrics,    // text with chords at their places; either may be empty
        Directive, // {name: argument}
        Blank,
        Remark, // a line starting with '#', as written
        Block,  // a line inside a tab, grid or other verbatim block, as written
    };
    Kind kind = Kind::Lyrics;
    // Lyrics: the words without the chords. Remark, Block and a directive the
    // program does not know: the line exactly as written.
    std::string text;
    std::vector<SongChord> chords;
    // Directive: its long name in lower case ("title" for "{t:}"), the name
    // as written, the selector after a dash ("guitar"), and the argument.
    std::string name;
    std::string writtenName;
    std::string selector;
    std::string argument;
    bool known = true; // a directive this program reads

    friend bool operator==(const SongLine&, const SongLine&) = default;
};

struct Song {
    std::vector<SongLine> lines;

    // The value of a metadata directive ("title", "artist", "key", "capo",
    // "tempo", "time", ...) or of "{meta: NAME VALUE}"; the first one that
    // applies to a guitar.
    std::optional<std::string> meta(std::string_view name) const;
    // Sets it where it stands, else adds it after the other metadata.
    void setMeta(std::string_view name, const std::string& value);

    friend bool operator==(const Song&, const Song&) = default;
};

// Whether a directive is meant for this program's instrument: no selector,
// or "guitar".
bool appliesHere(const SongLine& line);

// The song as it reads from top to bottom: sections in order, each with its
// kind ("verse", "chorus", "bridge", "tab", "grid", a custom name, or empty
// for lines outside any section) and label; a recalled chorus ({chorus})
// stands where it was recalled, a copy of the last chorus before it, with
// the recall's label if it has one.
struct SheetSection {
    std::string kind;
    std::string label;
    bool recalled = false;
    std::vector<const SongLine*> lines;
};
std::vector<SheetSection> sheetOf(const Song& song);

// Every chord name of the song's lyrics in the order the sheet plays them
// (a recalled chorus again).
std::vector<std::string> chordSequence(const Song& song);

// The lyric lines in the sheet's order (a recalled chorus again), as a loop
// counts them.
int lyricLineCount(const Song& song);
// The entries of chordSequence that lyric lines first..last (from 0) hold,
// first and last; none when they hold no chord.
std::optional<std::pair<int, int>> chordsOfLines(const Song& song, int first, int last);

} // namespace strumvale::model
