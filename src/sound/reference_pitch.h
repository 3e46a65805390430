#pragma once

namespace strumvale::sound {

// The A that the program calls "A3" (A4 in scientific pitch), in Hz, unless
// the player tunes to another.
inline constexpr double kStandardA4 = 440.0;

} // namespace strumvale::sound
