#pragma once

#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace strumvale::test {

// The file opened anew and locked, as another program would hold it: flock
// locks belong to open file descriptions, so this one conflicts with the
// program's own even inside the same process.
class HeldLock {
public:
    HeldLock(const std::string& path, int operation)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0 || ::flock(fd_, operation | LOCK_NB) != 0) {
            release();
            throw std::runtime_error("cannot lock " + path);
        }
    }
    ~HeldLock() { release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    void release() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

} // namespace strumvale::test
