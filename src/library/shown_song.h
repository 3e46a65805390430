#pragma once

#include "library/song_shapes.h"
#include "model/playlist.h"
#include "model/song.h"

#include <string_view>
#include <vector>

// A song as the song window shows it: moved by the reader's transposition and
// capo from what its file says.
namespace strumvale::library {

inline constexpr int kHighestCapo = 11;

struct SongAdjustment {
    int semitones = 0; // moved up (down when negative) from the file's key
    int capo = 0;      // the fret the capo sits on

    friend bool operator==(const SongAdjustment&, const SongAdjustment&) = default;
};

// The capo the file asks for (0 to 11); 0 when it asks for none or names no
// fret there.
int writtenCapo(const model::Song& song);

// Where a reader starts: the file's own key and capo.
SongAdjustment writtenAdjustment(const model::Song& song);

// The song's {transpose} directives applied, then moved by the adjustment's
// semitones; its chords are the shapes for the adjustment's capo, so that what
// sounds is kept when only the capo moves (the file's chords are the shapes
// for the file's own capo).
model::Song shownSong(const model::Song& written, const SongAdjustment& adjustment);

struct SongPlaylist {
    model::Playlist playlist;
    int leftOut = 0; // chords past the playlist's capacity
};

// The shown song's chords in the order they are sung, as playlist entries:
// each with its shape in the tuning raised by the capo (an unknown chord with
// every string muted), separators between the song's parts when everything
// fits, and the lyrics' words.
SongPlaylist songPlaylist(const model::Song& shown, const std::vector<SongShape>& shapes,
                          std::string_view tuningNotes, int capo);

} // namespace strumvale::library
