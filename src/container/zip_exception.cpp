#include "container/zip_exception.h"

namespace strumvale::container {

CZipException::CZipException(int code, std::string fileName)
    : std::runtime_error(textOf(code)), code_(code), fileName_(std::move(fileName)) {}

const char* CZipException::textOf(int code) {
    switch (code) {
    case BadZipFile:
        return "Damaged or not a zip file";
    case BadCrc:
        return "Crc mismatched";
    case BadPassword:
        return "Incorrect password set for the file being decrypted";
    case CentralDirectoryNotFound:
        return "The central directory was not found in the archive (or you were trying to "
               "open not the last disk of a multi-disk archive)";
    case ZlibStreamError:
        return "Zlib library error (stream error)";
    case ZlibDataError:
        return "Zlib library error (data error)";
    case ZlibMemoryError:
        return "Not enough memory";
    case ZlibBufferError:
        return "Zlib library error (buffer error)";
    case ZlibVersionError:
        return "Zlib library error (version error)";
    default:
        return "Unknown error";
    }
}

} // namespace strumvale::container
