#include "platform/midi_result.h"

#include <cstring>
#include <string_view>

namespace strumvale::platform {
namespace {

using namespace midi_result;

std::string_view knownText(MidiResult result) {
    switch (result) {
    case NoError:
        return "The specified command was carried out.";
    case Error:
        return "An unspecified error occurred.";
    case BadDeviceId:
        return "The specified device identifier is out of range.";
    case NotEnabled:
        return "The driver failed to enable.";
    case Allocated:
        return "The specified device is already in use. Wait until it is free, then try again.";
    case InvalidHandle:
        return "The specified device handle is invalid.";
    case NoDriver:
        return "There is no driver installed on your system.";
    case NoMemory:
        return "There is not enough memory available for this task.";
    case NotSupported:
        return "This function is not supported.";
    case InvalidParameter:
        return "An invalid parameter was passed to a system function.";
    case NotReady:
        return "The hardware is busy with other data.";
    case NoDevice:
        return "No MIDI port was found.";
    case NoSoundFont:
        return "No General MIDI sound font could be loaded (install fluid-soundfont-gm or set "
               "STRUMVALE_SOUNDFONT).";
    case NoAudioOutput:
        return "The built-in synthesizer found no audio output (see STRUMVALE_AUDIO_DRIVER).";
    case LogNotWritable:
        return "The MIDI log file (STRUMVALE_MIDI_LOG) cannot be written.";
    default:
        return {};
    }
}

MidiResult errorText(MidiResult result, char* text, std::size_t size) {
    if (text == nullptr || size == 0)
        return InvalidParameter;
    std::string_view known = knownText(result);
    MidiResult status = NoError;
    if (known.empty()) {
        known = "The error number is not defined in the system.";
        status = BadErrorNumber;
    }
    std::size_t length = known.size() < size - 1 ? known.size() : size - 1;
    std::memcpy(text, known.data(), length);
    text[length] = '\0';
    return status;
}

} // namespace

MidiResult midiOutErrorText(MidiResult result, char* text, std::size_t size) {
    return errorText(result, text, size);
}

MidiResult midiInErrorText(MidiResult result, char* text, std::size_t size) {
    return errorText(result, text, size);
}

} // namespace strumvale::platform
