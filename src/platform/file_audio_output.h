#pragma once

#include "platform/sample_clock.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Sound written to a file at the pace it would play: a thread renders one
// period at each period's steady-clock time, so the file holds what a listener
// would have heard. 16-bit stereo, as a WAV file unless the name ends in
// ".raw" (bare little-endian samples).
namespace strumvale::platform {

class FileAudioOutput {
public:
    // Renders frames into left and right, as a period starting at now.
    using Render = std::function<void(float* left, float* right, int frames, SteadyTime now)>;

    // Null when the file cannot be made.
    static std::unique_ptr<FileAudioOutput> start(const std::string& path, int sampleRate,
                                                  int periodFrames, Render render);
    ~FileAudioOutput();
    FileAudioOutput(const FileAudioOutput&) = delete;
    FileAudioOutput& operator=(const FileAudioOutput&) = delete;

private:
    FileAudioOutput(std::FILE* file, bool wav, int sampleRate, int periodFrames, Render render);
    void run(std::stop_token stop);
    void write(const float* left, const float* right, int frames);
    void finish();

    std::FILE* file_;
    bool wav_;
    int sampleRate_;
    int periodFrames_;
    Render render_;
    std::vector<unsigned char> block_; // the render thread's, kept between periods
    std::uint64_t dataBytes_ = 0;
    bool failed_ = false;
    std::jthread thread_;
};

} // namespace strumvale::platform
