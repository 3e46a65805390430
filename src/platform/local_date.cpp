#include "platform/local_date.h"

#include <cstdio>
#include <ctime>

namespace strumvale::platform {

std::string localDate(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return "1970-01-01";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", (local.tm_year + 1900) % 10000,
                  (local.tm_mon + 1) % 100, local.tm_mday % 100);
    return text;
}

} // namespace strumvale::platform
