#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace strumvale::platform {

// Sound as the tuner listens to it: one channel, samples from -1 to 1.
struct WavAudio {
    int sampleRate = 0;
    std::vector<float> samples;
};

// A file that was read but holds no WAV sound this reader understands. Its
// text names the file and the reason, to be shown to the user as it is.
class WavError : public std::runtime_error {
public:
    WavError(std::string path, const std::string& reason);

    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// The largest sample data read or written, whatever the file claims.
inline constexpr std::size_t kMaxWavDataBytes = 64u << 20;

// RIFF/WAVE with 8, 16, 24 or 32-bit integer or 32-bit float samples, plain or
// extensible; several channels are mixed down to one. FileError when the file
// cannot be read, WavError when its contents are not such sound.
WavAudio readWav(const std::string& path);
// The same from bytes in memory; name stands for the file in errors.
WavAudio decodeWav(std::string_view bytes, const std::string& name);

// Writes 16-bit mono, replacing the file whole; samples beyond -1..1 are
// clipped. std::invalid_argument for a sample rate the reader would refuse or
// more data than it takes, FileError when the file cannot be written.
void writeWav(const std::string& path, const WavAudio& audio);

} // namespace strumvale::platform
