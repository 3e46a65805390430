#pragma once

#include "platform/midi_provider.h"
#include "sound/clock.h"

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
        unsigned device;
        std::uint32_t packed;
    };

    RecordingMidi(sound::Clock& clock, unsigned outputs = 1, std::vector<std::string> inputs = {})
        : clock_(clock), outputs_(outputs), inputs_(std::move(inputs)) {}

    std::atomic<platform::MidiResult> openResult{platform::midi_result::NoError};
    std::atomic<platform::MidiResult> sendResult{platform::midi_result::NoError};

    unsigned outputCount() override { return outputs_; }
    platform::MidiResult outputName(unsigned index, std::string& name) override {
        if (index >= outputs_)
            return platform::midi_result::BadDeviceId;
        name = "Recorder " + std::to_string(index);
        return platform::midi_result::NoError;
    }
    platform::MidiResult openOutput(unsigned index,
                                    std::unique_ptr<platform::MidiOutPort>& port) override {
        if (index >= outputs_)
            return platform::midi_result::BadDeviceId;
        if (openResult != platform::midi_result::NoError)
            return openResult;
        port = std::make_unique<Port>(shared_from_this(), index);
        ++openPorts_;
        return platform::midi_result::NoError;
    }
    unsigned inputCount() override { return static_cast<unsigned>(inputs_.size()); }
    platform::MidiResult inputName(unsigned index, std::string& name) override {
        if (index >= inputs_.size())
            return platform::midi_result::BadDeviceId;
        name = inputs_[index];
        return platform::midi_result::NoError;
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
    void clear() {
        std::lock_guard lock(mutex_);
        messages_.clear();
    }

private:
    class Port : public platform::MidiOutPort {
    public:
        Port(std::shared_ptr<RecordingMidi> owner, unsigned device)
            : owner_(std::move(owner)), device_(device) {}
        ~Port() override { --owner_->openPorts_; }
        platform::MidiResult sendShortMessage(std::uint32_t message) override {
            if (owner_->sendResult != platform::midi_result::NoError)
                return owner_->sendResult;
            auto at = std::chrono::duration_cast<std::chrono::milliseconds>(
                owner_->clock_.now().time_since_epoch());
            std::lock_guard lock(owner_->mutex_);
            owner_->messages_.push_back({static_cast<long>(at.count()), device_, message});
            return platform::midi_result::NoError;
        }

    private:
        std::shared_ptr<RecordingMidi> owner_;
        unsigned device_;
    };

    sound::Clock& clock_;
    unsigned outputs_;
    std::vector<std::string> inputs_;
    std::atomic<int> openPorts_{0};
    std::mutex mutex_;
    std::vector<Message> messages_;
};

} // namespace strumvale::test
