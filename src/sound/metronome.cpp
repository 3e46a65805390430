#include "sound/metronome.h"

#include <algorithm>

namespace strumvale::sound {

std::vector<Click> barClicks(const Metronome& metronome) {
    const int beats = std::max(1, metronome.metre.beatsPerBar());
    const int parts = metronome.subdivide ? metronome.metre.subdivisions() : 1;
    std::vector<Click> clicks;
    for (int beat = 0; beat < beats; ++beat) {
        clicks.push_back({double(beat), beat == 0 ? ClickKind::Accent : ClickKind::Beat});
        for (int part = 1; part < parts; ++part)
            clicks.push_back({beat + double(part) / parts, ClickKind::Subdivision});
    }
    return clicks;
}

int clickSound(const ClickSounds& sounds, ClickKind kind) {
    return kind == ClickKind::Accent ? sounds.accent : sounds.beat;
}

int clickVelocity(const ClickSounds& sounds, ClickKind kind) {
    const int velocity = kind == ClickKind::Accent ? sounds.accentVelocity
                         : kind == ClickKind::Beat ? sounds.beatVelocity
                                                   : sounds.subdivisionVelocity;
    return std::clamp(velocity, 0, 127) * std::clamp(sounds.volume, 0, 100) / 100;
}

} // namespace strumvale::sound
