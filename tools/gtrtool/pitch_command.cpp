#include "command.h"
#include "errors.h"
#include "library_access.h"
#include "model/settings.h"
#include "platform/wav_file.h"
#include "sound/pitch_detector.h"

#include <cstdio>

namespace gtrtool {

int runPitch(const Arguments& arguments) {
    double a4 = strumvale::sound::kStandardA4;
    if (arguments.size() == 3 && arguments[1] == "--a4") {
        const std::optional<int> hertz =
            numberArgument(arguments[2], strumvale::model::kLowestReferencePitch,
                           strumvale::model::kHighestReferencePitch);
        if (!hertz)
            return usageError();
        a4 = *hertz;
    } else if (arguments.size() != 1) {
        return usageError();
    }
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
            strumvale::sound::steadyPitch(audio.samples, audio.sampleRate, a4);
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
