#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace strumvale::platform {

// Reads the whole file into bytes; false (bytes untouched) when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes);

// Replaces the file at path, all or nothing: the new bytes go to a temporary
// file in the same folder, which commit() renames over the target. An existing
// target that may not be written, a folder that may not be written, or a target
// another process holds locked raise FileError and leave it unchanged; so does
// a failed write or commit. Without a commit the temporary file is removed.
// A path that is a symbolic link is followed: the file it points to is
// replaced (or created, when missing) and the link stays.
// The target stays locked until the replacement is done with, so that other
// programs that honour the lock see it in use while it is being replaced.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::string path_;
    std::string target_;
    std::string temporary_;
    int temporaryFd_ = -1;
    int lockedTarget_ = -1;
    unsigned mode_ = 0644;
};

// The file at path replaced with bytes in one FileReplacement.
void replaceFile(const std::string& path, std::string_view bytes);

// A file opened for reading only, with a shared lock so that writers that
// honour the lock wait until it is closed. Opening failures raise FileError.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    const std::string& path() const { return path_; }
    std::uint64_t size() const { return size_; }
    // Reads up to count bytes at offset; returns how many were read (fewer only
    // at the end of the file). Read errors raise FileError.
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) const;

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace strumvale::platform
