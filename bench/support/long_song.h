#pragma once

#include <string>

// A song as long as a long one gets: 300 lyric lines in verses and choruses
// with a recalled chorus, a chord over every other word, UTF-8 words.
namespace strumvale::bench {

inline std::string longSongText() {
    static const char* const kChords[] = {"G", "D/F#", "Em7", "Cadd9", "Am", "Bb", "F#m7b5", "E7"};
    std::string text = "{title: Långa visan}\n{artist: Bänken}\n{key: G}\n{tempo: 96}\n";
    for (int line = 0; line < 300; ++line) {
        if (line % 10 == 0)
            text += line % 20 == 0
                        ? "{start_of_verse: Vers " + std::to_string(line / 20 + 1) + "}\n"
                        : "{start_of_chorus}\n";
        for (int word = 0; word < 8; ++word) {
            if (word % 2 == 0)
                text += std::string("[") + kChords[(line + word) % 8] + "]";
            text += word % 3 == 0 ? "över " : "sången ";
        }
        text += "\n";
        if (line % 10 == 9)
            text += line % 20 == 9 ? "{end_of_verse}\n" : "{end_of_chorus}\n{chorus}\n";
    }
    return text;
}

} // namespace strumvale::bench
