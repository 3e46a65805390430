#pragma once

#include "container/zip_archive.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <unistd.h>

namespace strumvale::fuzz {

// One scratch file per fuzzing process, rewritten for every input and removed
// at exit. It lies in memory where /dev/shm can be written: on a disk, the
// saving path's fsync and rename would cost most of each run.
inline const std::string& scratchPath(const char* suffix) {
    static const std::string path = [suffix] {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/strumvale-fuzz-XXXXXX";
        pattern += suffix;
        int fd = ::mkstemps(pattern.data(), static_cast<int>(std::strlen(suffix)));
        if (fd < 0)
            std::abort();
        ::close(fd);
        static std::string removeAtExit = pattern;
        std::atexit([] { ::unlink(removeAtExit.c_str()); });
        return pattern;
    }();
    return path;
}

// Plain writes: the readers need the bytes in place, not a durable save.
inline void writeScratch(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        std::abort();
    if (std::fclose(file) != 0)
        std::abort();
}

// The input as a file: the first byte chooses between the bytes as they are
// and the rest of the bytes as the one entry of a well-formed archive, so the
// readers behind the container are reached as often as the container itself.
// The archive's stamp is fixed, so an input always makes the same file.
inline std::string inputFile(const std::uint8_t* data, std::size_t size, const char* suffix,
                             bool archive) {
    const std::string& path = scratchPath(suffix);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (archive && !bytes.empty() && bytes[0] % 2 == 0) {
        writeScratch(path, container::buildSingleEntryArchive(path, "entry.xml", bytes.substr(1),
                                                              std::time_t{0}));
    } else {
        writeScratch(path, bytes);
    }
    return path;
}

} // namespace strumvale::fuzz
