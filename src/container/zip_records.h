#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

// The three ZIP records this container reads and writes, little-endian on disk.
namespace strumvale::container::zip {

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr std::uint32_t kDataDescriptorSignature = 0x08074B50;

inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kEndRecordSize = 22;
// The end record plus the longest comment it can announce.
inline constexpr std::size_t kEndRecordSearchSpan = kEndRecordSize + 0xFFFF;

inline constexpr std::uint16_t kVersionNeeded = 20;
inline constexpr std::uint16_t kVersionMadeBy = 0x0014; // 2.0, MS-DOS
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;
inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;

// A chordfile is a few hundred kilobytes at most; anything far larger is a
// crafted or broken entry, refused before memory is set aside for it.
inline constexpr std::uint64_t kMaxEntrySize = 64ull * 1024 * 1024;

inline std::uint16_t get16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void put16(std::string& out, std::uint16_t value);
void put32(std::string& out, std::uint32_t value);
void set32(std::string& out, std::size_t at, std::uint32_t value);

struct DosDateTime {
    std::uint16_t time = 0;
    std::uint16_t date = 0;
};
// Years outside what the 7-bit year field holds are clamped to its ends.
DosDateTime toDosDateTime(const std::tm& local);

struct LocalHeader {
    std::uint16_t versionNeeded = kVersionNeeded;
    std::uint16_t flags = 0;
    std::uint16_t method = kMethodDeflated;
    DosDateTime modified;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;

    // p holds kLocalHeaderSize bytes and begins with the signature.
    static LocalHeader parse(const unsigned char* p);
    void appendTo(std::string& out) const;
};

struct CentralHeader {
    std::uint16_t versionMadeBy = kVersionMadeBy;
    std::uint16_t versionNeeded = kVersionNeeded;
    std::uint16_t flags = 0;
    std::uint16_t method = kMethodDeflated;
    DosDateTime modified;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;
    std::uint16_t commentLength = 0;
    std::uint16_t diskStart = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localHeaderOffset = 0;

    static CentralHeader parse(const unsigned char* p);
    void appendTo(std::string& out) const;
    std::size_t recordSize() const {
        return kCentralHeaderSize + nameLength + extraLength + commentLength;
    }
};

struct EndRecord {
    std::uint16_t thisDisk = 0;
    std::uint16_t directoryDisk = 0;
    std::uint16_t entriesOnDisk = 0;
    std::uint16_t totalEntries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t commentLength = 0;

    static EndRecord parse(const unsigned char* p);
    void appendTo(std::string& out) const;
};

} // namespace strumvale::container::zip
