#include "sound/midi_message.h"

#include "sound/midi_out_device.h"

namespace strumvale::midi {

void MidiShortMessage::sendTo(CMIDIOutDevice& device) const {
    device.SendShortMessage(message_);
}

void MidiShortMessage::sendTo(CMIDIOutDevice& device,
                              std::chrono::steady_clock::time_point at) const {
    device.SendShortMessageAt(message_, at);
}

} // namespace strumvale::midi
