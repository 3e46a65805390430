#include "library/song_score.h"

#include "model/fingering.h"
#include "model/metre.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "sound/chord_player.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace strumvale::library {

namespace {

std::optional<int> numberOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> beatsPerBar(std::string_view time) {
    const std::optional<model::Metre> metre = model::parseMetre(time);
    if (!metre)
        return std::nullopt;
    return metre->beatsPerBar();
}

std::string tuningWithCapo(std::string_view tuningNotes, int capo) {
    if (capo <= 0)
        return std::string(tuningNotes);
    std::string raised;
    for (int string = model::kStringCount; string >= 1; --string) {
        const std::string open = model::tuningNote(tuningNotes, string);
        const std::optional<int> entry = model::noteAtFret(open, capo);
        if (!entry)
            return std::string(tuningNotes);
        if (!raised.empty())
            raised += ',';
        raised += model::noteTable()[static_cast<std::size_t>(*entry)];
    }
    return raised;
}

sound::Score songScore(const model::Song& song, const std::vector<SongShape>& shapes,
                       std::string_view tuningNotes, const SongPlaying& playing) {
    int beats = playing.beatsPerChord;
    if (beats <= 0)
        beats = beatsPerBar(song.meta("time").value_or("")).value_or(4);
    int tempo = numberOf(song.meta("tempo").value_or("")).value_or(0);
    if (tempo < 20 || tempo > 400)
        tempo = playing.fallbackTempo;
    const std::string tuning = tuningWithCapo(tuningNotes, playing.capo);
    sound::Score score;
    for (const std::string& name : model::chordSequence(song)) {
        const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                        [&](const SongShape& s) { return s.name == name; });
        if (shape == shapes.end() || shape->source == SongShape::Source::Unknown)
            score.entries.emplace_back();
        else
            score.entries.push_back(sound::ChordPlayer::strumNotes(shape->tab, tuning));
    }
    score.stepsPerEntry = 4 * beats;
    score.stepLength = [length = sound::stepAtBeatsPerMinute(tempo)] { return length; };
    score.holdToEntryEnd = true;
    // A strum spans at most half a beat.
    score.maxStrumShare = 0.5 / beats;
    return score;
}

} // namespace strumvale::library
