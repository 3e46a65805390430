#include "container/container.h"

#include "container/zip_archive.h"
#include "platform/file.h"

namespace strumvale::container {

void ReadFirstEntry(const std::string& path, std::string& buffer) {
    CZipFile file(path);
    readFirstEntry(file, buffer);
}

void WriteSingleEntry(const std::string& path, const std::string& entryName,
                      std::string_view bytes) {
    // Built whole in memory first, so that nothing touches the target until
    // the archive is complete, and then replaced in one rename.
    platform::replaceFile(path,
                          buildSingleEntryArchive(path, entryName, bytes, std::time(nullptr)));
}

} // namespace strumvale::container
