#include "container/zlib_status.h"

#include "container/zip_exception.h"

#include <zlib.h>

namespace strumvale::container {

void throwZlibError(int status, const std::string& fileName) {
    int code = CZipException::ZlibStreamError;
    switch (status) {
    case Z_DATA_ERROR:
    // Raw deflate has no dictionary id; asking for one means the bytes are not ours.
    case Z_NEED_DICT:
        code = CZipException::ZlibDataError;
        break;
    case Z_MEM_ERROR:
        code = CZipException::ZlibMemoryError;
        break;
    case Z_BUF_ERROR:
        code = CZipException::ZlibBufferError;
        break;
    case Z_VERSION_ERROR:
        code = CZipException::ZlibVersionError;
        break;
    default:
        break;
    }
    throw CZipException(code, fileName);
}

} // namespace strumvale::container
