#include "command.h"
#include "errors.h"
#include "platform/wav_file.h"
#include "sound/pitch_detector.h"

#include <cstdio>

namespace gtrtool {

int runPitch(const Arguments& arguments) {
    if (arguments.size() != 1)
        return usageError();
    const std::string& path = arguments[0];
    return reportingErrors([&] {
        strumvale::platform::WavAudio audio;
        try {
            audio = strumvale::platform::readWav(path);
        } catch (const strumvale::platform::WavError& error) {
            std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), error.what());
            return static_cast<int>(ReadFailed);
        }
        const std::optional<strumvale::sound::PitchReading> reading =
            strumvale::sound::steadyPitch(audio.samples, audio.sampleRate);
        if (!reading) {
            std::fprintf(stderr, "no pitched note in %s\n", path.c_str());
            return static_cast<int>(ReadFailed);
        }
        std::printf("%.2f\t%s\t%+.1f\n", reading->frequency, reading->note.c_str(),
                    strumvale::sound::shownCents(reading->cents));
        return static_cast<int>(Success);
    });
}

} // namespace gtrtool
