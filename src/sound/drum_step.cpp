#include "sound/drum_step.h"

#include <algorithm>

namespace strumvale::sound {

int stepMilliseconds(int bpm) {
    // A tempo of 0 or less would divide by zero or go negative: the shortest step.
    if (bpm <= 0)
        return 100;
    // A single-precision factor in wider arithmetic: that is what makes
    // 120 bpm 499 ms rather than 500 (in float the product rounds to 2.0).
    float factor = 0.016666668f;
    int ms = static_cast<int>(1000 / (bpm * static_cast<double>(factor)));
    return std::clamp(ms, 100, 2000);
}

bool DrumStep::strike(LivePattern& pattern, int step, ChordPlayer::Moment at) {
    for (int track = 1; track <= kDrumTracks; ++track) {
        if (!pattern.hit(step, track))
            continue;
        // Read once: what is struck is what release turns off.
        const int sound = pattern.instrument(track);
        if (!player_.drumHit(sound, pattern.volume(track), at))
            return false;
        struck_.push_back(sound);
    }
    return true;
}

bool DrumStep::release(ChordPlayer::Moment at) {
    bool sent = true;
    for (int sound : struck_)
        sent = sent && player_.drumRelease(sound, at);
    struck_.clear();
    return sent;
}

} // namespace strumvale::sound
