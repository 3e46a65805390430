#include "platform/wav_file.h"

#include "platform/file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace strumvale::platform {
namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
// Every standard extensible subformat ends so; its first two bytes are the
// plain format code.
constexpr unsigned char kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kMaxSampleRate = 1'000'000;
// Enough of a format chunk for the extensible fields; the rest is ignored.
constexpr std::size_t kFormatBytesUsed = 40;

std::uint16_t u16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The bytes of a file are read piece by piece, so a huge one is never read whole.
class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes at offset; false when the source ends first.
    virtual bool read(std::uint64_t offset, void* buffer, std::size_t count) const = 0;
};

class FileSource : public Source {
public:
    explicit FileSource(const ReadOnlyFile& file) : file_(file) {}
    std::uint64_t size() const override { return file_.size(); }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) const override {
        return file_.readAt(offset, buffer, count) == count;
    }

private:
    const ReadOnlyFile& file_;
};

class MemorySource : public Source {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) const override {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            return false;
        if (count > 0) // an empty buffer may be null, which memcpy must not get
            std::memcpy(buffer, bytes_.data() + offset, count);
        return true;
    }

private:
    std::string_view bytes_;
};

struct Format {
    std::uint16_t code = 0;
    unsigned channels = 0;
    std::uint32_t sampleRate = 0;
    unsigned bits = 0;
    unsigned blockAlign = 0;
};

std::string describe(std::uint16_t code, unsigned bits) {
    if (code == kPcm)
        return std::to_string(bits) + "-bit integer";
    if (code == kFloat)
        return std::to_string(bits) + "-bit float";
    return "format code " + std::to_string(code);
}

Format parseFormat(const unsigned char* bytes, std::size_t size, const std::string& name) {
    if (size < 16)
        throw WavError(name, "the format chunk is cut short");
    Format format;
    format.code = u16(bytes);
    format.channels = u16(bytes + 2);
    format.sampleRate = u32(bytes + 4);
    format.blockAlign = u16(bytes + 12);
    format.bits = u16(bytes + 14);
    if (format.code == kExtensible) {
        if (size < kFormatBytesUsed || u16(bytes + 16) < 22)
            throw WavError(name, "the extensible format chunk is cut short");
        if (std::memcmp(bytes + 26, kSubformatTail, sizeof kSubformatTail) != 0)
            throw WavError(name, "unsupported sample format (unknown subformat)");
        format.code = u16(bytes + 24);
    }
    if (format.channels == 0)
        throw WavError(name, "the file has no channels");
    if (format.sampleRate == 0 || format.sampleRate > kMaxSampleRate)
        throw WavError(name,
                       "unsupported sample rate (" + std::to_string(format.sampleRate) + " Hz)");
    const bool integer = format.code == kPcm && (format.bits == 8 || format.bits == 16 ||
                                                 format.bits == 24 || format.bits == 32);
    if (!integer && !(format.code == kFloat && format.bits == 32))
        throw WavError(name,
                       "unsupported sample format (" + describe(format.code, format.bits) + ")");
    if (format.blockAlign < format.channels * (format.bits / 8))
        throw WavError(name, "the frame size does not fit the channels");
    return format;
}

float sampleAt(const unsigned char* p, const Format& format) {
    switch (format.bits) {
    case 8:
        return static_cast<float>(p[0] - 128) / 128.0f;
    case 16:
        return static_cast<float>(static_cast<std::int16_t>(u16(p))) / 32768.0f;
    case 24: {
        std::int32_t value = p[0] | p[1] << 8 | p[2] << 16;
        if (value & 0x800000)
            value -= 0x1000000;
        return static_cast<float>(value) / 8388608.0f;
    }
    default:
        break;
    }
    if (format.code == kPcm)
        return static_cast<float>(static_cast<std::int32_t>(u32(p))) / 2147483648.0f;
    const float value = std::bit_cast<float>(u32(p));
    // Float files may hold anything; the tuner takes only -1..1.
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

WavAudio decode(const Source& source, const std::string& name) {
    unsigned char header[12];
    if (!source.read(0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        throw WavError(name, "not a WAV file");

    // The RIFF size is often wrong in files that were cut or streamed; the
    // file's own size bounds the walk instead.
    const std::uint64_t end = source.size();
    std::optional<Format> format;
    std::uint64_t dataStart = 0;
    std::uint32_t dataSize = 0;
    bool haveData = false;
    for (std::uint64_t offset = 12; (!format || !haveData) && end - offset >= 8;) {
        unsigned char chunk[8];
        if (!source.read(offset, chunk, sizeof chunk))
            throw WavError(name, "the file is cut short");
        const std::uint32_t size = u32(chunk + 4);
        const std::uint64_t body = offset + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !format) {
            if (size > end - body)
                throw WavError(name, "the format chunk is cut short");
            unsigned char bytes[kFormatBytesUsed] = {};
            const std::size_t used = std::min<std::size_t>(size, sizeof bytes);
            if (!source.read(body, bytes, used))
                throw WavError(name, "the format chunk is cut short");
            format = parseFormat(bytes, used, name);
        } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
            if (size > kMaxWavDataBytes)
                throw WavError(name, "the sound is too long (more than 64 MiB of samples)");
            if (size > end - body)
                throw WavError(name, "the sample data is cut short");
            dataStart = body;
            dataSize = size;
            haveData = true;
        }
        // Chunks are padded to an even size.
        offset = body + size + (size & 1u);
        if (offset > end)
            break;
    }
    if (!format)
        throw WavError(name, "the format chunk is missing");
    if (!haveData)
        throw WavError(name, "the sample data is missing");

    std::vector<unsigned char> data(dataSize);
    if (!source.read(dataStart, data.data(), data.size()))
        throw WavError(name, "the sample data is cut short");
    const std::size_t frames = dataSize / format->blockAlign;
    const std::size_t sampleBytes = format->bits / 8;
    const float scale = 1.0f / static_cast<float>(format->channels);
    WavAudio audio;
    audio.sampleRate = static_cast<int>(format->sampleRate);
    audio.samples.resize(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const unsigned char* p = data.data() + frame * format->blockAlign;
        float sum = 0.0f;
        for (unsigned channel = 0; channel < format->channels; ++channel)
            sum += sampleAt(p + channel * sampleBytes, *format);
        audio.samples[frame] = format->channels == 1 ? sum : sum * scale;
    }
    return audio;
}

void put16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& bytes, std::uint32_t value) {
    put16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(bytes, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

WavError::WavError(std::string path, const std::string& reason)
    : std::runtime_error("The sound file '" + path + "' cannot be used: " + reason),
      path_(std::move(path)), reason_(reason) {}

WavAudio readWav(const std::string& path) {
    const ReadOnlyFile file(path);
    return decode(FileSource(file), path);
}

WavAudio decodeWav(std::string_view bytes, const std::string& name) {
    return decode(MemorySource(bytes), name);
}

void writeWav(const std::string& path, const WavAudio& audio) {
    if (audio.sampleRate < 1 || static_cast<std::uint32_t>(audio.sampleRate) > kMaxSampleRate)
        throw std::invalid_argument("writeWav: sample rate " + std::to_string(audio.sampleRate) +
                                    " Hz is out of range");
    if (audio.samples.size() > kMaxWavDataBytes / 2)
        throw std::invalid_argument("writeWav: too many samples");
    const auto rate = static_cast<std::uint32_t>(audio.sampleRate);
    const auto dataSize = static_cast<std::uint32_t>(audio.samples.size() * 2);
    std::string bytes = "RIFF";
    put32(bytes, 36 + dataSize);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, kPcm);
    put16(bytes, 1);
    put32(bytes, rate);
    put32(bytes, rate * 2);
    put16(bytes, 2);
    put16(bytes, 16);
    bytes += "data";
    put32(bytes, dataSize);
    for (float sample : audio.samples) {
        // Scaled by 32768 so that k/32768 comes back exactly; +1 clips.
        const float clipped = std::isnan(sample) ? 0.0f : std::clamp(sample, -1.0f, 1.0f);
        const long value = std::clamp(std::lround(clipped * 32768.0f), -32768L, 32767L);
        put16(bytes, static_cast<std::uint16_t>(value));
    }
    replaceFile(path, bytes);
}

} // namespace strumvale::platform
