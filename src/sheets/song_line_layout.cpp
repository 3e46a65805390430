#include "sheets/song_line_layout.h"

#include <algorithm>

namespace strumvale::sheets {

LyricLineLayout layOutLyricLine(const model::SongLine& line, const QFontMetricsF& chordFont,
                                const QFontMetricsF& wordFont) {
    std::vector<model::SongChord> chords = line.chords;
    std::stable_sort(chords.begin(), chords.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    LyricLineLayout layout;
    const qreal gap = chordFont.horizontalAdvance(QLatin1Char(' '));
    qreal x = 0, chordEnd = 0;
    std::size_t from = 0;
    auto addWords = [&](std::size_t to) {
        const QString words =
            QString::fromUtf8(line.text.data() + from, static_cast<qsizetype>(to - from));
        if (!words.isEmpty())
            layout.words.push_back({x, words});
        x += wordFont.horizontalAdvance(words);
        from = to;
    };
    for (const model::SongChord& chord : chords) {
        const std::size_t at = std::clamp(chord.at, from, line.text.size());
        addWords(at);
        if (!layout.chords.empty() && chordEnd + gap > x) {
            // Split inside a word, the gap reads as a hyphen, as songbooks print it.
            const bool insideWord =
                at > 0 && at < line.text.size() && line.text[at - 1] != ' ' && line.text[at] != ' ';
            const qreal room = chordEnd + gap - x;
            if (insideWord)
                layout.words.push_back(
                    {x + (room - wordFont.horizontalAdvance(QLatin1Char('-'))) / 2,
                     QStringLiteral("-")});
            x += room;
        }
        const QString name =
            QString::fromUtf8(chord.name.data(), static_cast<qsizetype>(chord.name.size()));
        layout.chords.push_back({x, name});
        chordEnd = x + chordFont.horizontalAdvance(name);
    }
    addWords(line.text.size());
    layout.width = std::max(x, chordEnd);
    return layout;
}

} // namespace strumvale::sheets
