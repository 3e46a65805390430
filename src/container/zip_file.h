#pragma once

#include "platform/file.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace strumvale::container {

// An archive opened for reading: read-only with a shared lock, so a read-only
// chordfile opens and a concurrent save through the platform waits its turn.
class CZipFile {
public:
    // Raises platform::FileError when the file cannot be opened.
    explicit CZipFile(const std::string& path) : file_(path) {}

    const std::string& path() const { return file_.path(); }
    std::uint64_t size() const { return file_.size(); }

    // Reads exactly count bytes at offset; a file that ends first is a damaged
    // archive (CZipException 101).
    void readExact(std::uint64_t offset, void* buffer, std::size_t count) const;
    // Reads up to count bytes; fewer only where the file ends.
    std::size_t readSome(std::uint64_t offset, void* buffer, std::size_t count) const {
        return file_.readAt(offset, buffer, count);
    }

private:
    platform::ReadOnlyFile file_;
};

} // namespace strumvale::container
