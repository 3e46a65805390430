#include "platform/wav_file.h"
#include "support/fuzz_file.h"

#include <cmath>

// The file and memory readers walk the same bytes by different means; they
// must agree on the sound or on refusing it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    const std::string path = fuzz::inputFile(data, size, ".wav", false);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string fromFile;
    std::string fromMemory;
    platform::WavAudio audio;
    try {
        audio = platform::readWav(path);
    } catch (const platform::WavError& error) {
        fromFile = error.reason();
    }
    try {
        const platform::WavAudio same = platform::decodeWav(bytes, path);
        if (!fromFile.empty() || same.sampleRate != audio.sampleRate ||
            same.samples != audio.samples)
            std::abort();
    } catch (const platform::WavError& error) {
        fromMemory = error.reason();
        if (fromMemory != fromFile)
            std::abort();
    }
    for (float sample : audio.samples) {
        if (!(sample >= -1.0f && sample <= 1.0f))
            std::abort();
    }
    return 0;
}
