#pragma once

#include <filesystem>
#include <string>

namespace strumvale::test {

// Runs body with the current directory set to dir, as the program is started
// there; the previous directory comes back afterwards.
template <typename Body> void inDirectory(const std::string& dir, Body body) {
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    body();
    std::filesystem::current_path(previous);
}

} // namespace strumvale::test
