#include "container/container.h"

#include "container/zip_exception.h"

// Placeholder until the archive reader and writer land.
namespace strumvale::container {

void ReadFirstEntry(const std::string& path, std::string&) {
    throw CZipException(CZipException::BadZipFile, path);
}

void WriteSingleEntry(const std::string& path, const std::string&, std::string_view) {
    throw CZipException(CZipException::BadZipFile, path);
}

} // namespace strumvale::container
