#pragma once

#include <array>

// Whether one fretting hand can hold a fingering, without the thumb.
namespace strumvale::theory {

inline constexpr int kSilentString = -1;

// Frets from string 6 to string 1 as in a tab: 0 open, kSilentString not played.
using StringFrets = std::array<int, 6>;

// The easiest way a hand holds a fingering.
struct HandShape {
    bool playable = false;
    // Fingertips and barres pressing strings.
    int fingers = 0;
    // The index lies across two or more strings at the lowest fretted fret.
    bool barre = false;
    // A second finger lies flat across adjacent strings at the highest fret.
    bool secondBarre = false;
    // Another finger frets a string at the index barre's fret, beyond its end.
    bool fingerBesideBarre = false;
    // Lowest and highest fretted fret; both 0 when no string is fretted.
    int lowestFret = 0;
    int highestFret = 0;
};

// How a hand holds frets with the fewest barres, then the fewest fingers.
// The rules: at most four fingers within four frets (highest minus lowest
// fretted fret at most 3); a barre needs every string under it fretted, since
// it would sound an open string and cannot silence a muted one; the index
// barres only at the lowest fret, and a second finger may lie across adjacent
// strings at the highest fret, as the ring finger does in "x 3 5 5 5 3"; at
// most three fingertips on one fret; a silent string between sounding ones is
// damped by the finger fretting the next lower string (its underside touches
// it), so it needs that string fretted. Returns a shape with playable false
// when no hand holds frets.
HandShape handShapeOf(const StringFrets& frets);

bool isPlayable(const StringFrets& frets);

// Fingers the easiest hold needs; -1 when no hand holds frets.
int fingersNeeded(const StringFrets& frets);

} // namespace strumvale::theory
