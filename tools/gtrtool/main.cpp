#include "command.h"

#include <cstdio>
#include <string>

namespace gtrtool {

static void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: gtrtool COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const auto& command : commands()) {
        std::string synopsis = std::string(command.name) + " " + command.arguments;
        std::fprintf(out, "  gtrtool %s\n      %s\n", synopsis.c_str(), command.description);
    }
    std::fprintf(out, "  gtrtool --help\n");
}

int usageError() {
    printUsage(stderr);
    return UsageError;
}

} // namespace gtrtool

int main(int argc, char** argv) {
    using namespace gtrtool;
    if (argc < 2)
        return usageError();
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(stdout);
        return Success;
    }
    for (const auto& command : commands()) {
        if (name == command.name)
            return command.run(Arguments(argv + 2, argv + argc));
    }
    return usageError();
}
