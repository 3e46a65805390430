#include "platform/file.h"

#include "platform/file_error.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace strumvale::platform {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// The superuser may write anything; a file or folder with no write permission
// at all is still meant to stay as it is.
bool markedReadOnly(const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// As many links in a row as the kernel itself follows before giving up.
constexpr int kMaxLinkHops = 40;

// The file that path names after following symbolic links, so that a save
// through a link replaces the file it points to and the link stays. A link
// whose target does not exist yet gives where that target would be.
std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char buffer[PATH_MAX];
        ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length < 0)
            return current; // opening it reports why
        if (static_cast<std::size_t>(length) == sizeof buffer)
            throw FileError(path, ENAMETOOLONG);
        std::string target(buffer, static_cast<std::size_t>(length));
        if (!target.starts_with('/')) {
            // Relative to the folder that holds the link.
            std::string folder = folderOf(current);
            target = (folder.ends_with('/') ? folder : folder + '/') + target;
        }
        current = std::move(target);
    }
    throw FileError(path, ELOOP);
}

void writeAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace

bool readWholeFile(const std::string& path, std::string& bytes) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    std::string result;
    result.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        result.append(buffer, static_cast<std::size_t>(got));
    }
    bytes = std::move(result);
    return true;
}

FileReplacement::FileReplacement(const std::string& path)
    : path_(path), target_(followLinks(path)) {
    // A target that exists keeps its permissions, and one that may not be
    // written is refused as it would be by opening it for writing. Its lock is
    // held until the rename, so that no other program reads or writes it
    // while it is being replaced.
    FileDescriptor existing(::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (existing.get() >= 0) {
        struct stat info {};
        if (::fstat(existing.get(), &info) == 0) {
            if (markedReadOnly(info))
                throw FileError(path_, EACCES);
            mode_ = info.st_mode & 07777;
        }
        if (::flock(existing.get(), LOCK_EX | LOCK_NB) != 0)
            throw FileError(path_, "the file is in use by another program");
    } else if (errno != ENOENT) {
        throw FileError(path_, errno);
    }

    std::string folder = folderOf(target_);
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) == 0 && markedReadOnly(folderInfo))
        throw FileError(path_, EACCES);

    temporary_ = folder + "/.strumvale-XXXXXX";
    temporaryFd_ = ::mkstemp(temporary_.data());
    if (temporaryFd_ < 0)
        throw FileError(path_, errno);
    lockedTarget_ = existing.release();
}

FileReplacement::~FileReplacement() {
    if (temporaryFd_ >= 0)
        ::close(temporaryFd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    if (lockedTarget_ >= 0)
        ::close(lockedTarget_);
}

void FileReplacement::write(std::string_view bytes) {
    writeAll(temporaryFd_, bytes, path_);
}

void FileReplacement::commit() {
    if (::fchmod(temporaryFd_, static_cast<mode_t>(mode_)) != 0 || ::fsync(temporaryFd_) != 0)
        throw FileError(path_, errno);
    int fd = temporaryFd_;
    temporaryFd_ = -1;
    if (::close(fd) != 0)
        throw FileError(path_, errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw FileError(path_, errno);
    temporary_.clear();
}

void replaceFile(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.write(bytes);
    replacement.commit();
}

ReadOnlyFile::ReadOnlyFile(const std::string& path) : path_(path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError(path, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(path, errno);
    if (S_ISDIR(info.st_mode))
        throw FileError(path, EISDIR);
    if (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0)
        throw FileError(path, "the file is in use by another program");
    size_ = static_cast<std::uint64_t>(info.st_size);
    fd_ = fd.release();
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t ReadOnlyFile::readAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    auto* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        ssize_t got = ::pread(fd_, out + total, count - total, static_cast<off_t>(offset + total));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path_, errno);
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

} // namespace strumvale::platform
