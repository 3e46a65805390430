#include "sound/midi_message.h"

#include "sound/midi_out_device.h"

namespace strumvale::midi {

void MidiShortMessage::sendTo(CMIDIOutDevice& device) const {
    device.SendShortMessage(message_);
}

} // namespace strumvale::midi
