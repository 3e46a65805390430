#include "command.h"

namespace gtrtool {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"pack", "SOURCE TARGET", "store SOURCE's bytes as the one entry of the archive TARGET",
         runPack},
        {"unpack", "FILE", "write the bytes of FILE's first entry to standard output", runUnpack},
    };
    return all;
}

} // namespace gtrtool
