// Any bytes as a chordfile: reading must end in the entry or a container or
// file error, never a crash, a hang or a large allocation.
#include "container/container.h"
#include "container/zip_exception.h"
#include "platform/file_error.h"
#include "support/fuzz_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = strumvale::fuzz::scratchPath(".zip");
    strumvale::fuzz::writeScratch(path,
                                  std::string_view(reinterpret_cast<const char*>(data), size));

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
