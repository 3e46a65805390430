#include "fretboard/fretboard_style.h"

#include "model/settings.h"

#include <cstdint>

namespace strumvale::fretboard {

namespace {

// Settings keep red in the low byte, then green, then blue.
QColor colourOf(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

} // namespace

FretboardStyle fretboardStyle(const model::Settings& settings) {
    FretboardStyle style;
    style.orientation = {settings.Lefthanded, settings.Upsidedownneck};
    style.allFrets = settings.Displaynotesforallfrets;
    style.whiteBackground = settings.Whitebackgroundcolor;
    style.dotsColour = colourOf(settings.dotsColor());
    style.intervalTextColour = colourOf(settings.intervalTextColor());
    style.noteTextColour = colourOf(settings.noteTextColor());
    return style;
}

} // namespace strumvale::fretboard
