#pragma once

#include <stdexcept>
#include <string>

namespace strumvale::platform {

// The platform's file error: a file that cannot be opened, created, read or
// written. Its text names the file, so it can be shown to the user as it is.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, int errorNumber);
    FileError(std::string path, const std::string& reason);

    const std::string& path() const { return path_; }
    int errorNumber() const { return errorNumber_; }

private:
    std::string path_;
    int errorNumber_ = 0;
};

} // namespace strumvale::platform
