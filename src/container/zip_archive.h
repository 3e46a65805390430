#pragma once

#include "container/zip_file.h"

#include <ctime>
#include <string>
#include <string_view>

// The archive reader and writer behind container.h, reachable on their own so
// that benchmarks can measure them without the file system in the way.
namespace strumvale::container {

// Appends the first entry (by data position) of the open archive to buffer.
// On any error buffer is left as it was.
void readFirstEntry(const CZipFile& file, std::string& buffer);

// The bytes of a single-entry archive stamped with the local time of when.
// fileName only names the archive in errors.
std::string buildSingleEntryArchive(const std::string& fileName, const std::string& entryName,
                                    std::string_view bytes, std::time_t when);

} // namespace strumvale::container
