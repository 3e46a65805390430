#include "container/container.h"
#include "platform/file.h"
#include "platform/windows1252.h"
#include "xml/xml_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The built-in English table, embedded by the build.
extern const unsigned char builtin_language_table[];
extern const unsigned long builtin_language_table_size;

namespace strumvale::xml {
namespace {

// Whether the path names a file that may be opened for reading; a folder may not.
bool canOpenForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool isFile = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return isFile;
}

// The document text of file bytes: UTF-16LE after an FF FE mark, up to the first
// zero unit, converted to Windows-1252; otherwise the bytes up to the first zero.
std::string decodeText(std::string& bytes) {
    bytes.append(2, '\0');
    if (static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (unit == 0)
                break;
            units.push_back(unit);
        }
        return platform::utf16ToWindows1252(units);
    }
    return std::string(bytes.c_str());
}

} // namespace

bool XmlDocument::loadBytes(std::string bytes) {
    const auto byteCount = static_cast<long long>(bytes.size());
    std::string text = decodeText(bytes);
    // Far fewer characters than bytes means zero bytes early on: not a text.
    if (static_cast<long long>(text.size()) < byteCount / 2 - 20)
        return false;
    SetText(std::move(text));
    return true;
}

bool XmlDocument::LoadFile(const std::string& path) {
    if (path == kBuiltInName)
        return LoadBuiltIn();
    std::string bytes;
    if (!platform::readWholeFile(path, bytes))
        return false;
    return loadBytes(std::move(bytes));
}

bool XmlDocument::LoadArchive(const std::string& path) {
    if (path == kBuiltInName)
        return LoadBuiltIn();
    if (!canOpenForReading(path))
        return false;
    std::string bytes;
    container::ReadFirstEntry(path, bytes);
    return loadBytes(std::move(bytes));
}

bool XmlDocument::LoadBuiltIn() {
    return loadBytes(std::string(reinterpret_cast<const char*>(builtin_language_table),
                                 builtin_language_table_size));
}

void XmlDocument::SaveFile(const std::string& path) const {
    platform::replaceFile(path, text_);
}

void XmlDocument::SaveArchive(const std::string& path, const std::string& entryName) const {
    container::WriteSingleEntry(path, entryName, text_);
}

} // namespace strumvale::xml
