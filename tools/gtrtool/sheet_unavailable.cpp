#include "command.h"

#include <cstdio>

namespace gtrtool {

int runSheet(const Arguments&) {
    std::fprintf(stderr, "this gtrtool was built without the user interface, which draws sheets\n");
    return UsageError;
}

} // namespace gtrtool
