#include "container/zip_file.h"

#include "container/zip_exception.h"

namespace strumvale::container {

void CZipFile::readExact(std::uint64_t offset, void* buffer, std::size_t count) const {
    if (offset > size() || count > size() - offset || file_.readAt(offset, buffer, count) != count)
        throw CZipException(CZipException::BadZipFile, path());
}

} // namespace strumvale::container
