#pragma once

#include "platform/midi_provider.h"
#include "sound/clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace strumvale::test {

// Output devices that write down every message with the time it came, in
// milliseconds of the given clock; opening and sending can be made to fail.
class RecordingMidi : public platform::MidiDeviceProvider,
                      public std::enable_shared_from_this<RecordingMidi> {
public:
    struct Message {
        long ms;
        // The time the sender meant it for, in ms of the clock; -1 for "now".
        long meantMs;
        // The device's position when it was opened, and its name.
        unsigned device;
        std::string name;
        std::uint32_t packed;
    };

    RecordingMidi(sound::Clock& clock, unsigned outputs = 1, std::vector<std::string> inputs = {})
        : clock_(clock), inputs_(std::move(inputs)) {
        for (unsigned i = 0; i < outputs; ++i)
            outputs_.push_back("Recorder " + std::to_string(i));
    }

    std::atomic<platform::MidiResult> openResult{platform::midi_result::NoError};
    std::atomic<platform::MidiResult> sendResult{platform::midi_result::NoError};

    // Devices that come and go: each name is also the device's identity.
    void setOutputs(std::vector<std::string> names) {
        std::lock_guard lock(mutex_);
        outputs_ = std::move(names);
    }

    std::vector<platform::MidiPortEntry> outputPorts() override {
        std::lock_guard lock(mutex_);
        ++listings_;
        std::vector<platform::MidiPortEntry> ports;
        for (const auto& name : outputs_)
            ports.push_back({name, name});
        return ports;
    }
    platform::MidiResult openOutput(const std::string& identity,
                                    std::unique_ptr<platform::MidiOutPort>& port) override {
        std::lock_guard lock(mutex_);
        auto found = std::find(outputs_.begin(), outputs_.end(), identity);
        if (found == outputs_.end())
            return platform::midi_result::BadDeviceId;
        if (openResult != platform::midi_result::NoError)
            return openResult;
        port = std::make_unique<Port>(shared_from_this(),
                                      static_cast<unsigned>(found - outputs_.begin()), identity);
        ++openPorts_;
        return platform::midi_result::NoError;
    }
    std::vector<std::string> inputPorts() override { return inputs_; }

    // How often the outputs were listed.
    int listings() {
        std::lock_guard lock(mutex_);
        return listings_;
    }
    int openPorts() const { return openPorts_; }

    std::vector<Message> messages() {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    // "MS SS D1 D2" per message, bytes in hex, as a reader compares them.
    std::vector<std::string> lines(unsigned device = 0) {
        std::vector<std::string> result;
        for (const auto& message : messages()) {
            if (message.device != device)
                continue;
            char line[40];
            std::snprintf(line, sizeof line, "%ld %02x %02x %02x", message.ms,
                          message.packed & 0xFF, (message.packed >> 8) & 0xFF,
                          (message.packed >> 16) & 0xFF);
            result.push_back(line);
        }
        return result;
    }
    // "ARRIVED>MEANT SS D1 D2" per message, MEANT "now" for an unstamped one.
    std::vector<std::string> meantLines(unsigned device = 0) {
        std::vector<std::string> result;
        for (const auto& message : messages()) {
            if (message.device != device)
                continue;
            char line[60];
            const std::string meant = message.meantMs < 0 ? "now" : std::to_string(message.meantMs);
            std::snprintf(line, sizeof line, "%ld>%s %02x %02x %02x", message.ms, meant.c_str(),
                          message.packed & 0xFF, (message.packed >> 8) & 0xFF,
                          (message.packed >> 16) & 0xFF);
            result.push_back(line);
        }
        return result;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        messages_.clear();
    }

private:
    class Port : public platform::MidiOutPort {
    public:
        Port(std::shared_ptr<RecordingMidi> owner, unsigned device, std::string name)
            : owner_(std::move(owner)), device_(device), name_(std::move(name)) {}
        ~Port() override { --owner_->openPorts_; }
        platform::MidiResult sendShortMessage(std::uint32_t message) override {
            return record(message, -1);
        }
        platform::MidiResult sendShortMessageAt(std::uint32_t message,
                                                platform::SteadyTime meant) override {
            return record(message, msOf(meant));
        }

    private:
        static long msOf(platform::SteadyTime time) {
            return static_cast<long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch())
                    .count());
        }
        platform::MidiResult record(std::uint32_t message, long meant) {
            if (owner_->sendResult != platform::midi_result::NoError)
                return owner_->sendResult;
            const long at = msOf(owner_->clock_.now());
            std::lock_guard lock(owner_->mutex_);
            owner_->messages_.push_back({at, meant, device_, name_, message});
            return platform::midi_result::NoError;
        }

        std::shared_ptr<RecordingMidi> owner_;
        unsigned device_;
        std::string name_;
    };

    sound::Clock& clock_;
    std::vector<std::string> outputs_;
    std::vector<std::string> inputs_;
    int listings_ = 0;
    std::atomic<int> openPorts_{0};
    std::mutex mutex_;
    std::vector<Message> messages_;
};

} // namespace strumvale::test
