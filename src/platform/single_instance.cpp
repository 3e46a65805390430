#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace strumvale::platform {

namespace {

std::string runtimePath(std::string_view name, std::string_view extension) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
    path += '/';
    path += name;
    path += extension;
    return path;
}

} // namespace

std::string InstanceLock::lockPath(std::string_view name) {
    return runtimePath(name, ".lock");
}

std::string InstanceLock::socketPath(std::string_view name) {
    return runtimePath(name, ".socket");
}

std::optional<InstanceLock> InstanceLock::acquire(std::string_view name) {
    const std::string path = lockPath(name);
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return InstanceLock(-1);
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(descriptor);
        if (heldElsewhere)
            return std::nullopt;
        return InstanceLock(-1);
    }
    return InstanceLock(descriptor);
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

InstanceLock::~InstanceLock() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

} // namespace strumvale::platform
