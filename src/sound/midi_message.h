#pragma once

#include <chrono>
#include <cstdint>

namespace strumvale::midi {

class CMIDIOutDevice;

inline constexpr std::uint8_t kNoteOff = 0x80;
inline constexpr std::uint8_t kNoteOn = 0x90;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;
// Controller numbers of the channel mode messages.
inline constexpr int kResetAllControllers = 121;
inline constexpr int kAllNotesOff = 123;
// Channel 10 as the user counts.
inline constexpr int kPercussionChannel = 9;

// (command | channel) + data1 * 2^8 + data2 * 2^16, each cut to 8 bits first.
constexpr std::uint32_t packShortMessage(int command, int channel, int data1, int data2) {
    auto byte = [](int value) { return static_cast<std::uint32_t>(value) & 0xFF; };
    return ((byte(command) | byte(channel)) & 0xFF) | byte(data1) << 8 | byte(data2) << 16;
}

class MidiMessage {
public:
    virtual ~MidiMessage() = default;
    virtual void sendTo(CMIDIOutDevice& device) const = 0;
    virtual std::uint32_t length() const = 0;
    virtual const char* bytes() const = 0;
};

class MidiShortMessage : public MidiMessage {
public:
    MidiShortMessage(int command, int channel, int data1, int data2, std::int32_t timeStamp = 0)
        : timeStamp_(timeStamp), message_(packShortMessage(command, channel, data1, data2)),
          data_(static_cast<std::uint16_t>((data1 & 0xFF) | (data2 & 0xFF) << 8)) {
        bytes_[0] = static_cast<char>(message_ & 0xFF);
        bytes_[1] = static_cast<char>(data1 & 0xFF);
        bytes_[2] = static_cast<char>(data2 & 0xFF);
    }

    // Sent at once, whatever the time stamp holds. Throws CMIDIOutException.
    void sendTo(CMIDIOutDevice& device) const override;
    // Sent now, meant for time at on the steady clock.
    void sendTo(CMIDIOutDevice& device, std::chrono::steady_clock::time_point at) const;
    std::uint32_t length() const override { return 3; }
    const char* bytes() const override { return bytes_; }

    std::uint32_t packed() const { return message_; }
    // Data 1 in the low byte, data 2 in the high byte.
    std::uint16_t data() const { return data_; }
    std::int32_t timeStamp() const { return timeStamp_; }

private:
    std::int32_t timeStamp_;
    std::uint32_t message_;
    std::uint16_t data_;
    char bytes_[3];
};

} // namespace strumvale::midi
