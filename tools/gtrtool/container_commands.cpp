#include "command.h"
#include "container/container.h"
#include "errors.h"
#include "platform/file.h"
#include "platform/file_error.h"

#include <cerrno>
#include <cstdio>

namespace gtrtool {

static bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int runPack(const Arguments& arguments) {
    if (arguments.size() != 2)
        return usageError();
    const std::string& source = arguments[0];
    const std::string& target = arguments[1];
    return reportingErrors([&] {
        std::string bytes;
        if (!strumvale::platform::readWholeFile(source, bytes))
            throw strumvale::platform::FileError(source, errno);
        const char* entry = endsWith(target, ".lng") ? "lang.xml" : "chords.xml";
        strumvale::container::WriteSingleEntry(target, entry, bytes);
        return Success;
    });
}

int runUnpack(const Arguments& arguments) {
    if (arguments.size() != 1)
        return usageError();
    return reportingErrors([&] {
        std::string bytes;
        strumvale::container::ReadFirstEntry(arguments[0], bytes);
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0)
            throw strumvale::platform::FileError("standard output", "cannot be written");
        return Success;
    });
}

} // namespace gtrtool
