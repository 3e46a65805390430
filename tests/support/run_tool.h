#pragma once

#include "platform/file.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace strumvale::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a program of the build with arguments in folder, capturing its output.
inline ToolRun runTool(const std::string& folder, const std::string& program,
                       const std::vector<std::string>& arguments) {
    std::string command = "cd " + shellQuoted(folder) + " && " +
                          shellQuoted(std::string(STRUMVALE_TOOLS_DIR) + "/" + program);
    for (const auto& argument : arguments)
        command += " " + shellQuoted(argument);
    std::string outPath = folder + "/.tool-out", errPath = folder + "/.tool-err";
    command += " >" + shellQuoted(outPath) + " 2>" + shellQuoted(errPath);
    ToolRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    platform::readWholeFile(outPath, run.out);
    platform::readWholeFile(errPath, run.err);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return run;
}

} // namespace strumvale::test
