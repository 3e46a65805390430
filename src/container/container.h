#pragma once

#include <string>
#include <string_view>

namespace strumvale::container {

// Appends the uncompressed bytes of the archive's first entry (by data position)
// to buffer, verifying its CRC-32. Raises CZipException for a damaged archive
// and platform::FileError when the file cannot be opened.
void ReadFirstEntry(const std::string& path, std::string& buffer);

// Creates (or replaces) the archive at path holding one deflated entry with
// the given name and bytes. Raises CZipException or platform::FileError; on
// failure any previous file at path is left as it was.
void WriteSingleEntry(const std::string& path, const std::string& entryName,
                      std::string_view bytes);

} // namespace strumvale::container
