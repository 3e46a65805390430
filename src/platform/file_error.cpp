#include "platform/file_error.h"

#include <cstring>

namespace strumvale::platform {

FileError::FileError(std::string path, int errorNumber)
    : FileError(std::move(path), std::string(std::strerror(errorNumber))) {
    errorNumber_ = errorNumber;
}

FileError::FileError(std::string path, const std::string& reason)
    : std::runtime_error("Cannot access the file '" + path + "': " + reason),
      path_(std::move(path)) {}

} // namespace strumvale::platform
