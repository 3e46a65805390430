#pragma once

#include "library/song_shapes.h"
#include "model/song.h"
#include "sound/play_along.h"

#include <optional>
#include <string>
#include <string_view>

// A song as the play-along schedule plays it.
namespace strumvale::library {

struct SongPlaying {
    // Beats each chord sounds; 0: one bar of the song's {time} (the dotted
    // beats of a compound metre), else 4.
    int beatsPerChord = 0;
    // Beats per minute when the song has no {tempo}.
    int fallbackTempo = 120;
    // The fret the capo sits on: the shapes sound that much higher.
    int capo = 0;
};

// Beats in one bar of a "{time: N/M}" value ("3/4" 3, "6/8" 2, "12/8" 4);
// none for a value that is no time signature.
std::optional<int> beatsPerBar(std::string_view time);

// The tuning's notes with a capo at fret capo; the notes as given for a
// capo the table cannot follow.
std::string tuningWithCapo(std::string_view tuningNotes, int capo);

// One entry per chord of the song in the order it is sung (a recalled chorus
// again), strummed with its shape in the tuning; an unknown chord rests. Four
// drum steps a beat at the song's tempo; chords ring to their entry's end.
sound::Score songScore(const model::Song& song, const std::vector<SongShape>& shapes,
                       std::string_view tuningNotes, const SongPlaying& playing);

} // namespace strumvale::library
