#include "formats/song_sheet_text.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cctype>

namespace strumvale::formats {

namespace {

// Characters, not bytes: "å" and "🎸" are one column each.
std::size_t columns(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += std::max<std::size_t>(1, platform::utf8StepAt(text, at).length);
    return count;
}

std::string capitalised(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

constexpr std::pair<const char*, const char*> kShownMeta[] = {
    {"subtitle", "Subtitle"}, {"artist", "Artist"},     {"composer", "Composer"},
    {"lyricist", "Lyricist"}, {"album", "Album"},       {"year", "Year"},
    {"key", "Key"},           {"capo", "Capo"},         {"tempo", "Tempo"},
    {"time", "Time"},         {"duration", "Duration"},
};

bool isComment(const std::string& name) {
    return name == "comment" || name == "comment_italic" || name == "comment_box" ||
           name == "highlight";
}

} // namespace

std::pair<std::string, std::string> chordAndLyricRows(const model::SongLine& line) {
    std::vector<model::SongChord> chords = line.chords;
    std::stable_sort(chords.begin(), chords.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    std::string chordRow, lyricRow;
    std::size_t chordEnd = 0, lyricWidth = 0, from = 0;
    for (const model::SongChord& chord : chords) {
        const std::size_t at = std::clamp(chord.at, from, line.text.size());
        const std::string_view words = std::string_view(line.text).substr(from, at - from);
        lyricRow += words;
        lyricWidth += columns(words);
        // One blank at least between two chord names.
        const std::size_t needed = chordRow.empty() ? 0 : chordEnd + 1;
        if (needed > lyricWidth) {
            // Split inside a word, the words are joined by hyphens.
            const bool insideWord =
                at > 0 && at < line.text.size() && line.text[at - 1] != ' ' && line.text[at] != ' ';
            lyricRow.append(needed - lyricWidth, insideWord ? '-' : ' ');
            lyricWidth = needed;
        }
        chordRow.append(lyricWidth - columns(chordRow), ' ');
        chordRow += chord.name;
        chordEnd = lyricWidth + columns(chord.name);
        from = at;
    }
    lyricRow += std::string_view(line.text).substr(std::min(from, line.text.size()));
    while (!lyricRow.empty() && lyricRow.back() == ' ')
        lyricRow.pop_back();
    return {chordRow, lyricRow};
}

std::string songSheetText(const model::Song& song) {
    std::string text;
    if (auto title = song.meta("title"))
        text += *title + "\n";
    for (auto [name, caption] : kShownMeta) {
        if (auto value = song.meta(name))
            text += std::string(caption) + ": " + *value + "\n";
    }
    for (const model::SheetSection& section : model::sheetOf(song)) {
        if (!section.kind.empty()) {
            text += "\n[" + capitalised(section.kind);
            if (!section.label.empty())
                text += ": " + section.label;
            text += "]\n";
        }
        for (const model::SongLine* line : section.lines) {
            switch (line->kind) {
            case model::SongLine::Kind::Lyrics: {
                auto [chords, words] = chordAndLyricRows(*line);
                if (!chords.empty())
                    text += chords + "\n";
                if (!words.empty() || chords.empty())
                    text += words + "\n";
                break;
            }
            case model::SongLine::Kind::Blank:
                text += "\n";
                break;
            case model::SongLine::Kind::Block:
                text += line->text + "\n";
                break;
            case model::SongLine::Kind::Directive:
                if (isComment(line->name))
                    text += "(" + line->argument + ")\n";
                break;
            case model::SongLine::Kind::Remark:
                break;
            }
        }
    }
    return text;
}

} // namespace strumvale::formats
