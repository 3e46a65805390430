#pragma once

#include <string>
#include <vector>

namespace gtrtool {

// Exit statuses shared by every command.
enum ExitStatus : int {
    Success = 0,
    ReadFailed = 1,
    FileOrContainerError = 2,
    UsageError = 3,
};

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* arguments;
    const char* description;
    int (*run)(const Arguments& arguments);
};

// Every command the tool offers, in the order --help lists them.
const std::vector<Command>& commands();

// The command bodies, each taking the arguments after its name.
int runPack(const Arguments& arguments);
int runUnpack(const Arguments& arguments);
int runInfo(const Arguments& arguments);
int runChords(const Arguments& arguments);
int runScales(const Arguments& arguments);
int runTunings(const Arguments& arguments);
int runPatterns(const Arguments& arguments);
int runResave(const Arguments& arguments);
int runTranslate(const Arguments& arguments);
int runDevices(const Arguments& arguments);
int runStrum(const Arguments& arguments);
int runDrum(const Arguments& arguments);
int runName(const Arguments& arguments);
int runVoicings(const Arguments& arguments);
int runSheet(const Arguments& arguments);
int runPitch(const Arguments& arguments);
int runSong(const Arguments& arguments);
int runHear(const Arguments& arguments);
int runPracticeLog(const Arguments& arguments);

// Prints the usage to standard error and returns UsageError.
int usageError();

} // namespace gtrtool
