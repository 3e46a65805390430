#include "errors.h"

#include "container/zip_exception.h"
#include "platform/file_error.h"

#include <cstdio>

namespace gtrtool {

int reportingErrors(const std::function<int()>& body) {
    try {
        return body();
    } catch (const strumvale::container::CZipException& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (const strumvale::platform::FileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return FileOrContainerError;
}

} // namespace gtrtool
