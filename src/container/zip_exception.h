#pragma once

#include <stdexcept>
#include <string>

namespace strumvale::container {

// A container error: its code decides the text shown to the user.
class CZipException : public std::runtime_error {
public:
    enum Code : int {
        BadZipFile = 101,
        BadCrc = 102,
        BadPassword = 110,
        CentralDirectoryNotFound = 116,
        ZlibStreamError = 503,
        ZlibDataError = 504,
        ZlibMemoryError = 505,
        ZlibBufferError = 506,
        ZlibVersionError = 507,
    };

    CZipException(int code, std::string fileName);

    int code() const { return code_; }
    const std::string& fileName() const { return fileName_; }

    // The text shown for a code.
    static const char* textOf(int code);

private:
    int code_;
    std::string fileName_;
};

} // namespace strumvale::container
