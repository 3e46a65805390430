#include "command.h"
#include "errors.h"
#include "library/chord_library.h"
#include "library_access.h"
#include "model/fingering.h"
#include "model/tab_in_tuning.h"
#include "model/tuning_notes.h"
#include "output.h"
#include "sound/drum_sequencer.h"
#include "sound/midi_out_device.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>

namespace gtrtool {
namespace {

using strumvale::ChordLibrary;
namespace sound = strumvale::sound;
namespace midi = strumvale::midi;

std::optional<int> integerArgument(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "--name VALUE" options among allowed, after positional arguments; false
// for anything else.
bool parseOptions(const Arguments& arguments, std::size_t first,
                  const std::map<std::string, std::string>& defaults,
                  std::map<std::string, std::string>& values) {
    values = defaults;
    for (std::size_t i = first; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size() || !defaults.contains(arguments[i]))
            return false;
        values[arguments[i]] = arguments[i + 1];
    }
    return true;
}

// The player's failures, kept to be printed when the command ends.
class Reports {
public:
    explicit Reports(sound::ChordPlayer& player) {
        player.setErrorReport([this](const sound::PlayerError& error) {
            std::lock_guard lock(mutex_);
            errors_.push_back(error);
        });
    }
    // Prints what was reported; true if anything was.
    bool print() {
        std::lock_guard lock(mutex_);
        for (const auto& error : errors_)
            std::fprintf(stderr, "%s %s\n", error.Text.c_str(), error.DeviceText.c_str());
        return !errors_.empty();
    }

private:
    std::mutex mutex_;
    std::vector<sound::PlayerError> errors_;
};

// Opens the one device given; a failure is printed and ends the command.
std::optional<int> openDevice(sound::ChordPlayer& player, Reports& reports, int device, int channel,
                              int instrument, int volume) {
    player.setup(device, channel, instrument, volume);
    if (reports.print())
        return FileOrContainerError;
    if (!player.isOpen()) {
        std::fprintf(stderr, "%s %s\n", std::string(sound::kNoOpenDevices).c_str(),
                     midi::CMIDIOutException(strumvale::platform::midi_result::BadDeviceId).what());
        return FileOrContainerError;
    }
    return std::nullopt;
}

// A stored pattern played as the Drummer page plays its working copy, for a
// given number of passes.
class RecordSource : public sound::PatternSource {
public:
    RecordSource(const strumvale::model::DrumPattern& pattern, int passes)
        : pattern_(pattern), passes_(passes) {
        flags_.loopPattern = passes > 1;
    }

    bool hit(int step, int track) override {
        return pattern_.Pattern[strumvale::model::DrumPattern::cellIndex(step, track)] != 0;
    }
    int instrument(int track) override { return pattern_.Instruments[track - 1]; }
    int volume(int track) override { return pattern_.Volumes[track - 1]; }
    int tempo() override { return pattern_.Tempo; }
    sound::DrumFlags& flags() override { return flags_; }

    sound::DrumReports reports() {
        sound::DrumReports reports;
        reports.step = [this](int step) {
            // The last pass lets the pattern end by itself.
            if (step == 1 && ++started_ >= passes_)
                flags_.loopPattern = false;
        };
        return reports;
    }

private:
    strumvale::model::DrumPattern pattern_;
    int passes_;
    int started_ = 0;
    sound::DrumFlags flags_;
};

} // namespace

int runDevices(const Arguments& arguments) {
    if (!arguments.empty())
        return usageError();
    try {
        auto devices = midi::takeDeviceSnapshot();
        auto outputs = midi::outputDeviceList(devices);
        for (std::size_t id = 0; id < outputs.names.size(); ++id)
            std::printf("out %zu: %s\n", id, outputs.names[id].c_str());
        auto inputs = midi::inputDeviceList(devices);
        for (std::size_t id = 0; id < inputs.names.size(); ++id)
            std::printf("in %zu: %s\n", id, inputs.names[id].c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return FileOrContainerError;
    }
    return Success;
}

int runStrum(const Arguments& arguments) {
    std::map<std::string, std::string> options;
    if (arguments.size() < 2 || !parseOptions(arguments, 2,
                                              {{"--tuning", ""},
                                               {"--device", "0"},
                                               {"--channel", "0"},
                                               {"--instrument", "0"},
                                               {"--volume", "127"},
                                               {"--speed", "200"},
                                               {"--decay", "500"}},
                                              options))
        return usageError();
    std::map<std::string, int> number;
    for (const char* name :
         {"--device", "--channel", "--instrument", "--volume", "--speed", "--decay"}) {
        auto value = integerArgument(options[name]);
        if (!value)
            return usageError();
        number[name] = *value;
    }
    return reportingErrors([&]() -> int {
        ChordLibrary library;
        if (!loadChordfileOrReport(library, arguments[0]))
            return ReadFailed;
        std::string name = argumentText(arguments[1]);
        const auto* chord = findNamed(library.Chords, name);
        if (chord == nullptr) {
            std::fprintf(stderr, "no chord named %s\n", arguments[1].c_str());
            return ReadFailed;
        }
        strumvale::model::Tuning tuning = strumvale::model::Tuning::standard();
        if (const std::string& wanted = options["--tuning"]; !wanted.empty()) {
            // Six notes as the file writes them, or the name of one of its tunings.
            if (const auto* named = findNamed(library.Tunings, argumentText(wanted)))
                tuning = *named;
            else if (const auto notes = tuningArgument(argumentText(wanted)))
                tuning = {*notes, *notes};
            else {
                std::fprintf(stderr, "no tuning named %s\n", wanted.c_str());
                return ReadFailed;
            }
        }
        // As the Chords and Tabs page plays it: moved to the tuning's strings.
        strumvale::model::Chord moved = *chord;
        moved.Tab = strumvale::model::tabInTuning(chord->Tab, tuning.Notes);
        if (!strumvale::model::isValidTab(moved.Tab)) {
            std::fprintf(stderr, "invalid tab: %s\n", fieldText(moved.Tab).c_str());
            return ReadFailed;
        }
        sound::ChordPlayer& player = library.ChordPlayer;
        Reports reports(player);
        if (auto failed = openDevice(player, reports, number["--device"], number["--channel"],
                                     number["--instrument"], number["--volume"]))
            return *failed;
        player.setStrumDelay(number["--speed"]);
        player.setHoldTime(number["--decay"]);
        player.strum(moved, tuning);
        player.waitUntilIdle();
        return reports.print() ? FileOrContainerError : Success;
    });
}

int runDrum(const Arguments& arguments) {
    std::map<std::string, std::string> options;
    if (arguments.size() < 2 ||
        !parseOptions(arguments, 2, {{"--device", "0"}, {"--loops", "1"}}, options))
        return usageError();
    auto device = integerArgument(options["--device"]);
    auto loops = integerArgument(options["--loops"]);
    if (!device || !loops || *loops < 1)
        return usageError();
    return reportingErrors([&]() -> int {
        ChordLibrary library;
        if (!loadChordfileOrReport(library, arguments[0]))
            return ReadFailed;
        std::string name = argumentText(arguments[1]);
        const auto* pattern = findNamed(library.DrumPatterns, name);
        if (pattern == nullptr) {
            std::fprintf(stderr, "no pattern named %s\n", arguments[1].c_str());
            return ReadFailed;
        }
        sound::ChordPlayer& player = library.ChordPlayer;
        Reports reports(player);
        if (auto failed = openDevice(player, reports, *device, 0, 0, 127))
            return *failed;
        RecordSource source(*pattern, *loops);
        {
            sound::DrumSequencer sequencer(player);
            sequencer.start(source, source.reports());
            player.waitUntilIdle();
        }
        return reports.print() ? FileOrContainerError : Success;
    });
}

} // namespace gtrtool
