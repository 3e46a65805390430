#pragma once

#include <string>

namespace strumvale::container {

// Raises the CZipException for a failing zlib status (anything but Z_OK and
// Z_STREAM_END, which callers handle themselves).
[[noreturn]] void throwZlibError(int status, const std::string& fileName);

} // namespace strumvale::container
