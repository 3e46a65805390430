#include "library/shown_song.h"

#include "formats/chordpro_words.h"
#include "library/song_score.h"
#include "theory/song_transposition.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace strumvale::library {

int writtenCapo(const model::Song& song) {
    const std::string text = formats::chordpro::trimmed(song.meta("capo").value_or(""));
    int capo = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), capo);
    if (error != std::errc() || end != text.data() + text.size() || capo < 0 || capo > kHighestCapo)
        return 0;
    return capo;
}

SongAdjustment writtenAdjustment(const model::Song& song) {
    return {0, writtenCapo(song)};
}

model::Song shownSong(const model::Song& written, const SongAdjustment& adjustment) {
    model::Song shown =
        theory::transposed(theory::withTranspositionsApplied(written), adjustment.semitones);
    const int fileCapo = writtenCapo(written);
    if (adjustment.capo != fileCapo) {
        shown = theory::withCapo(shown, adjustment.capo - fileCapo);
        shown.setMeta("capo", std::to_string(adjustment.capo));
    }
    return shown;
}

namespace {

struct Part {
    std::vector<model::Chord> chords;
};

model::Chord entryOf(const std::string& name, const std::vector<SongShape>& shapes) {
    const std::string coreName = formats::chordpro::toCore(name);
    const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                    [&](const SongShape& s) { return s.name == name; });
    const bool known = shape != shapes.end() && shape->source != SongShape::Source::Unknown;
    return model::Chord(model::chordRootOf(coreName), coreName,
                        known ? shape->tab : std::string("x x x x x x"));
}

bool isSungChord(const model::SongChord& chord) {
    return !chord.name.empty() && chord.name[0] != '*';
}

std::string lyricsOf(const std::vector<model::SheetSection>& sections) {
    std::string lyrics;
    for (const model::SheetSection& section : sections) {
        for (const model::SongLine* line : section.lines) {
            if (line->kind == model::SongLine::Kind::Lyrics && !line->text.empty())
                lyrics += line->text + "\n";
            else if (line->kind == model::SongLine::Kind::Blank && !lyrics.empty() &&
                     !lyrics.ends_with("\n\n"))
                lyrics += "\n";
        }
        if (!lyrics.empty() && !lyrics.ends_with("\n\n"))
            lyrics += "\n";
    }
    while (lyrics.ends_with("\n"))
        lyrics.pop_back();
    return formats::chordpro::toCore(lyrics);
}

} // namespace

SongPlaylist songPlaylist(const model::Song& shown, const std::vector<SongShape>& shapes,
                          std::string_view tuningNotes, int capo) {
    const std::vector<model::SheetSection> sections = model::sheetOf(shown);
    std::vector<Part> parts;
    std::size_t chordCount = 0;
    for (const model::SheetSection& section : sections) {
        Part part;
        for (const model::SongLine* line : section.lines) {
            if (line->kind != model::SongLine::Kind::Lyrics)
                continue;
            for (const model::SongChord& chord : line->chords) {
                if (isSungChord(chord))
                    part.chords.push_back(entryOf(chord.name, shapes));
            }
        }
        chordCount += part.chords.size();
        if (!part.chords.empty())
            parts.push_back(std::move(part));
    }
    const bool separated = chordCount + (parts.empty() ? 0 : parts.size() - 1) <=
                           static_cast<std::size_t>(model::Playlist::kCapacity);
    const std::string tuning = tuningWithCapo(tuningNotes, capo);
    SongPlaylist result;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        if (separated && p > 0)
            result.playlist.append(model::Playlist::separator());
        for (const model::Chord& chord : parts[p].chords) {
            if (!result.playlist.append(chord, tuning))
                ++result.leftOut;
        }
    }
    result.playlist.Lyrics = lyricsOf(sections);
    return result;
}

} // namespace strumvale::library
