#include "sound/midi_exceptions.h"

namespace strumvale::midi {

CMIDIOutException::CMIDIOutException(platform::MidiResult result) : result_(result) {
    platform::midiOutErrorText(result, text_, sizeof text_);
}

CMIDIInException::CMIDIInException(platform::MidiResult result) : result_(result) {
    platform::midiInErrorText(result, text_, sizeof text_);
}

} // namespace strumvale::midi
