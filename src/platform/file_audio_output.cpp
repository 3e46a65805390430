#include "platform/file_audio_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace strumvale::platform {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr std::size_t kHeaderBytes = 44;
// A RIFF size field holds 32 bits; past that the file stops growing.
constexpr std::uint64_t kMostDataBytes = 0xFFFFFFFFull - kHeaderBytes;

bool endsWithRaw(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string end = path.substr(path.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return end == ".raw";
}

void put32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}
void put16(unsigned char* at, std::uint16_t value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

std::array<unsigned char, kHeaderBytes> wavHeader(int sampleRate, std::uint32_t dataBytes) {
    std::array<unsigned char, kHeaderBytes> header{};
    auto* h = header.data();
    std::copy_n("RIFF", 4, h);
    put32(h + 4, static_cast<std::uint32_t>(36 + dataBytes));
    std::copy_n("WAVEfmt ", 8, h + 8);
    put32(h + 16, 16);
    put16(h + 20, 1); // integer samples
    put16(h + 22, kChannels);
    put32(h + 24, static_cast<std::uint32_t>(sampleRate));
    put32(h + 28, static_cast<std::uint32_t>(sampleRate * kChannels * kBytesPerSample));
    put16(h + 32, kChannels * kBytesPerSample);
    put16(h + 34, 8 * kBytesPerSample);
    std::copy_n("data", 4, h + 36);
    put32(h + 40, dataBytes);
    return header;
}

std::int16_t sample16(float value) {
    const float clipped = std::clamp(value, -1.0f, 1.0f);
    return static_cast<std::int16_t>(std::lrint(clipped * 32767.0f));
}

} // namespace

std::unique_ptr<FileAudioOutput> FileAudioOutput::start(const std::string& path, int sampleRate,
                                                        int periodFrames, Render render) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return nullptr;
    const bool wav = !endsWithRaw(path);
    if (wav) {
        // Sizes are filled in when the file is finished.
        const auto header = wavHeader(sampleRate, 0);
        if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) {
            std::fclose(file);
            return nullptr;
        }
    }
    return std::unique_ptr<FileAudioOutput>(
        new FileAudioOutput(file, wav, sampleRate, std::max(1, periodFrames), std::move(render)));
}

FileAudioOutput::FileAudioOutput(std::FILE* file, bool wav, int sampleRate, int periodFrames,
                                 Render render)
    : file_(file), wav_(wav), sampleRate_(sampleRate), periodFrames_(periodFrames),
      render_(std::move(render)) {
    thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
}

FileAudioOutput::~FileAudioOutput() {
    thread_.request_stop();
    if (thread_.joinable())
        thread_.join();
    finish();
}

void FileAudioOutput::run(std::stop_token stop) {
    std::vector<float> left(static_cast<std::size_t>(periodFrames_));
    std::vector<float> right(left.size());
    const SteadyTime start = std::chrono::steady_clock::now();
    std::int64_t frames = 0;
    while (!stop.stop_requested()) {
        // Each period at its own time from the start, so that waking late
        // never makes the file drift from the clock.
        const auto due = start + std::chrono::duration_cast<SteadyTime::duration>(
                                     std::chrono::duration<double>(double(frames) / sampleRate_));
        std::this_thread::sleep_until(due);
        // The file's clock is this schedule: a period starts when it is due,
        // however late the thread woke for it.
        render_(left.data(), right.data(), periodFrames_, due);
        write(left.data(), right.data(), periodFrames_);
        frames += periodFrames_;
    }
}

void FileAudioOutput::write(const float* left, const float* right, int frames) {
    if (failed_)
        return;
    const std::size_t bytes = static_cast<std::size_t>(frames) * kChannels * kBytesPerSample;
    if (dataBytes_ + bytes > kMostDataBytes)
        return;
    std::vector<unsigned char>& block = block_;
    block.resize(bytes);
    for (int i = 0; i < frames; ++i) {
        put16(block.data() + 4 * i, static_cast<std::uint16_t>(sample16(left[i])));
        put16(block.data() + 4 * i + 2, static_cast<std::uint16_t>(sample16(right[i])));
    }
    if (std::fwrite(block.data(), 1, bytes, file_) != bytes)
        failed_ = true;
    else
        dataBytes_ += bytes;
}

void FileAudioOutput::finish() {
    if (wav_ && std::fseek(file_, 0, SEEK_SET) == 0) {
        // A device such as /dev/null cannot seek; its header stays as it is.
        const auto header = wavHeader(sampleRate_, static_cast<std::uint32_t>(dataBytes_));
        std::fwrite(header.data(), 1, header.size(), file_);
    }
    std::fclose(file_);
}

} // namespace strumvale::platform
