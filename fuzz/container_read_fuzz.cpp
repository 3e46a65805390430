// Any bytes as a chordfile: reading must end in the entry or a container or
// file error, never a crash, a hang or a large allocation.
#include "container/container.h"
#include "container/zip_exception.h"
#include "platform/file_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// One file per process, removed at exit.
const std::string& inputPath() {
    static const std::string path = [] {
        // Memory-backed where there is such a folder: the file is rewritten
        // for every input.
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/container-read-fuzz-XXXXXX";
        int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            std::abort();
        ::close(fd);
        std::string made = pattern;
        static std::string removeAtExit = made;
        std::atexit([] { ::unlink(removeAtExit.c_str()); });
        return made;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = inputPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    std::string buffer;
    try {
        strumvale::container::ReadFirstEntry(path, buffer);
    } catch (const strumvale::container::CZipException& error) {
        if (!buffer.empty())
            std::abort(); // a failed read must hand back nothing
    } catch (const strumvale::platform::FileError&) {
    }
    return 0;
}
