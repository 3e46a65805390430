#pragma once

#include "command.h"

#include <functional>

namespace gtrtool {

// Runs a command body; a container or file error is printed alone on one line
// of standard error and becomes FileOrContainerError.
int reportingErrors(const std::function<int()>& body);

} // namespace gtrtool
