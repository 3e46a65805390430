#pragma once

#include "platform/midi_result.h"

#include <exception>

// The failures of the MIDI output layer, thrown by value. Each carries the
// system's text for its result, fetched when it is made.
namespace strumvale::midi {

inline constexpr std::size_t kErrorTextSize = 128;

class CMIDIOutException : public std::exception {
public:
    explicit CMIDIOutException(platform::MidiResult result);
    const char* what() const noexcept override { return text_; }
    platform::MidiResult result() const noexcept { return result_; }

private:
    platform::MidiResult result_;
    char text_[kErrorTextSize];
};

class CMIDIInException : public std::exception {
public:
    explicit CMIDIInException(platform::MidiResult result);
    const char* what() const noexcept override { return text_; }
    platform::MidiResult result() const noexcept { return result_; }

private:
    platform::MidiResult result_;
    char text_[kErrorTextSize];
};

} // namespace strumvale::midi
