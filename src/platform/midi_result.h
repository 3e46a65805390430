#pragma once

#include <cstddef>
#include <cstdint>

// Result codes of the MIDI stand-in, numbered like the multimedia interface it
// replaces so that stored or logged codes keep their meaning.
namespace strumvale::platform {

using MidiResult = std::uint32_t;

namespace midi_result {
inline constexpr MidiResult NoError = 0;
inline constexpr MidiResult Error = 1;
inline constexpr MidiResult BadDeviceId = 2;
inline constexpr MidiResult NotEnabled = 3;
inline constexpr MidiResult Allocated = 4;
inline constexpr MidiResult InvalidHandle = 5;
inline constexpr MidiResult NoDriver = 6;
inline constexpr MidiResult NoMemory = 7;
inline constexpr MidiResult NotSupported = 8;
inline constexpr MidiResult BadErrorNumber = 9;
inline constexpr MidiResult InvalidParameter = 11;
inline constexpr MidiResult NotReady = 67;
inline constexpr MidiResult NoDevice = 68;
// The built-in synthesizer's own failures, past the interface's range.
inline constexpr MidiResult NoSoundFont = 512;
inline constexpr MidiResult NoAudioOutput = 513;
inline constexpr MidiResult LogNotWritable = 514;
} // namespace midi_result

// The text for result into text (size bytes, always terminated, cut to fit).
// Unknown codes give a text saying so and BadErrorNumber.
MidiResult midiOutErrorText(MidiResult result, char* text, std::size_t size);
MidiResult midiInErrorText(MidiResult result, char* text, std::size_t size);

} // namespace strumvale::platform
