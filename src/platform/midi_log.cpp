#include "platform/midi_provider.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace strumvale::platform {
namespace {

using namespace midi_result;

class MidiLogPort : public MidiOutPort {
public:
    explicit MidiLogPort(std::FILE* file)
        : file_(file), opened_(std::chrono::steady_clock::now()) {}
    ~MidiLogPort() override { std::fclose(file_); }

    MidiResult sendShortMessage(std::uint32_t message) override {
        std::lock_guard lock(mutex_);
        auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - opened_);
        int written =
            std::fprintf(file_, "%lld %02x %02x %02x\n", static_cast<long long>(elapsed.count()),
                         message & 0xFF, (message >> 8) & 0xFF, (message >> 16) & 0xFF);
        // Flushed per line, so a reader sees each message as it is sent.
        if (written < 0 || std::fflush(file_) != 0)
            return LogNotWritable;
        return NoError;
    }

private:
    std::mutex mutex_;
    std::FILE* file_;
    std::chrono::steady_clock::time_point opened_;
};

class MidiLogProvider : public MidiDeviceProvider {
public:
    explicit MidiLogProvider(std::optional<std::string> path) : path_(std::move(path)) {}

    std::vector<MidiPortEntry> outputPorts() override {
        if (logPath().empty())
            return {};
        return {{"MIDI log", kIdentity}};
    }

    MidiResult openOutput(const std::string& identity,
                          std::unique_ptr<MidiOutPort>& port) override {
        std::string path = logPath();
        if (identity != kIdentity || path.empty())
            return BadDeviceId;
        std::FILE* file = std::fopen(path.c_str(), "a");
        if (file == nullptr)
            return LogNotWritable;
        port = std::make_unique<MidiLogPort>(file);
        return NoError;
    }

private:
    std::string logPath() const {
        if (path_)
            return *path_;
        const char* variable = std::getenv("STRUMVALE_MIDI_LOG");
        return variable ? variable : "";
    }

    static constexpr const char* kIdentity = "log";
    std::optional<std::string> path_;
};

} // namespace

std::shared_ptr<MidiDeviceProvider> midiLogProvider(std::optional<std::string> path) {
    return std::make_shared<MidiLogProvider>(std::move(path));
}

} // namespace strumvale::platform
