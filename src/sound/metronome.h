#pragma once

#include "model/metre.h"

#include <vector>

// The click a player practises against, as a part of the play-along schedule.
namespace strumvale::sound {

// Percussion rows (as the Drummer page lists them) and velocities 1..127.
struct ClickSounds {
    static constexpr int kHighWoodBlock = 41;
    static constexpr int kLowWoodBlock = 42;

    int accent = kHighWoodBlock; // the first beat of a bar
    int beat = kLowWoodBlock;
    int accentVelocity = 127;
    int beatVelocity = 96;
    // Subdivisions sound as beats do, softer.
    int subdivisionVelocity = 64;
    // Of every velocity above, 0..100 %.
    int volume = 100;

    bool operator==(const ClickSounds&) const = default;
};

struct Metronome {
    model::Metre metre;
    // Off: it counts in and then keeps quiet.
    bool clicks = true;
    bool subdivide = false;
    ClickSounds sounds;
    // Bars of clicks alone before the playing starts, 0..2.
    int countInBars = 0;
};

enum class ClickKind { Accent, Beat, Subdivision };

struct Click {
    double beat = 0; // from the bar's start
    ClickKind kind = ClickKind::Beat;
};

// One bar's clicks in time order: each beat, the first accented, and between
// them the subdivisions when wanted.
std::vector<Click> barClicks(const Metronome& metronome);

// The percussion row and velocity a click sounds with; a velocity of 0 is
// no click at all.
int clickSound(const ClickSounds& sounds, ClickKind kind);
int clickVelocity(const ClickSounds& sounds, ClickKind kind);

} // namespace strumvale::sound
