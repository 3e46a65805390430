#include "command.h"

namespace gtrtool {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {};
    return all;
}

} // namespace gtrtool
