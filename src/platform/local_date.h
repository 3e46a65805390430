#pragma once

#include <chrono>
#include <string>

namespace strumvale::platform {

// The day at time in the user's time zone, as YYYY-MM-DD.
std::string
localDate(std::chrono::system_clock::time_point time = std::chrono::system_clock::now());

} // namespace strumvale::platform
