#pragma once

#include "container/container.h"
#include "platform/file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

namespace strumvale::fuzz {

// One temporary file per fuzzing process, rewritten for every input.
inline const std::string& scratchPath(const char* suffix) {
    static const std::string path = "/tmp/strumvale-fuzz-" + std::to_string(::getpid()) + suffix;
    return path;
}

// The input as a file: the first byte chooses between the bytes as they are
// and the rest of the bytes as the one entry of a well-formed archive, so the
// readers behind the container are reached as often as the container itself.
inline std::string inputFile(const std::uint8_t* data, std::size_t size, const char* suffix,
                             bool archive) {
    const std::string& path = scratchPath(suffix);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (archive && !bytes.empty() && bytes[0] % 2 == 0)
        container::WriteSingleEntry(path, "entry.xml", std::string_view(bytes).substr(1));
    else
        platform::replaceFile(path, bytes);
    return path;
}

} // namespace strumvale::fuzz
