#include "formats/drum_pattern_text.h"

#include "formats/text_numbers.h"

namespace strumvale::formats {

using model::DrumPattern;

std::string trackValuesText(const TrackValues& values) {
    std::string text;
    for (std::size_t track = 0; track < values.size(); ++track) {
        if (track > 0)
            text += ',';
        text += decimalText(values[track]);
    }
    return text;
}

TrackValues parseTrackValues(std::string_view text) {
    TrackValues values{};
    for (std::size_t track = 0; track < values.size(); ++track) {
        auto comma = text.find(',');
        values[track] = leadingInteger(text.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return values;
}

std::string patternText(const PatternGrid& grid) {
    std::string text;
    for (int step = 1; step <= DrumPattern::kSteps; ++step) {
        for (int track = 1; track <= DrumPattern::kTracks; ++track) {
            if (grid[static_cast<std::size_t>(DrumPattern::cellIndex(step, track))] == 0)
                continue;
            text += '(';
            text += decimalText(track);
            text += ',';
            text += decimalText(step);
            text += ')';
        }
    }
    return text;
}

PatternGrid parsePattern(std::string_view text) {
    PatternGrid grid{};
    for (;;) {
        auto open = text.find('(');
        if (open == std::string_view::npos)
            break;
        auto close = text.find(')', open + 1);
        if (close == std::string_view::npos)
            break;
        std::string_view group = text.substr(open + 1, close - open - 1);
        text.remove_prefix(close + 1);

        auto comma = group.find(',');
        std::int32_t track = leadingInteger(group.substr(0, comma));
        std::int32_t step =
            comma == std::string_view::npos ? 0 : leadingInteger(group.substr(comma + 1));
        if (track >= 1 && track <= DrumPattern::kTracks && step >= 1 && step <= DrumPattern::kSteps)
            grid[static_cast<std::size_t>(DrumPattern::cellIndex(step, track))] = 1;
    }
    return grid;
}

} // namespace strumvale::formats
