#include "container/zip_archive.h"
#include "container/zip_exception.h"
#include "container/zip_records.h"
#include "container/zlib_status.h"

#include <algorithm>
#include <memory>
#include <zlib.h>

namespace strumvale::container {
namespace {

using namespace zip;

constexpr std::size_t kInputPiece = 65535;
constexpr std::size_t kOutputBuffer = 65536;
// With entries capped like this, deflate's worst case still fits the 32-bit sizes.
static_assert(kMaxEntrySize + kMaxEntrySize / 16 < 0xFFFFFFFFu);

class Deflater {
public:
    explicit Deflater(const std::string& fileName) : fileName_(fileName) {
        int status = deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                                  Z_DEFAULT_STRATEGY);
        if (status != Z_OK)
            throwZlibError(status, fileName_);
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Compresses bytes onto out; returns the CRC-32 of bytes.
    uLong compress(std::string_view bytes, std::string& out) {
        uLong crc = crc32(0, nullptr, 0);
        auto buffer = std::make_unique<Bytef[]>(kOutputBuffer);
        auto flushOutput = [&] {
            out.append(reinterpret_cast<const char*>(buffer.get()),
                       kOutputBuffer - stream_.avail_out);
            stream_.next_out = buffer.get();
            stream_.avail_out = kOutputBuffer;
        };
        stream_.next_out = buffer.get();
        stream_.avail_out = kOutputBuffer;

        for (std::size_t at = 0; at < bytes.size(); at += kInputPiece) {
            std::string_view piece = bytes.substr(at, kInputPiece);
            auto* data = reinterpret_cast<const Bytef*>(piece.data());
            crc = crc32(crc, data, static_cast<uInt>(piece.size()));
            stream_.next_in = const_cast<Bytef*>(data); // zlib does not write through it
            stream_.avail_in = static_cast<uInt>(piece.size());
            while (stream_.avail_in > 0) {
                if (stream_.avail_out == 0)
                    flushOutput();
                int status = deflate(&stream_, Z_NO_FLUSH);
                if (status != Z_OK)
                    throwZlibError(status, fileName_);
            }
        }
        for (;;) {
            if (stream_.avail_out == 0)
                flushOutput();
            int status = deflate(&stream_, Z_FINISH);
            if (status == Z_STREAM_END)
                break;
            if (status != Z_OK)
                throwZlibError(status, fileName_);
        }
        flushOutput();
        return crc;
    }

private:
    const std::string& fileName_;
    z_stream stream_{};
};

} // namespace

std::string buildSingleEntryArchive(const std::string& fileName, const std::string& entryName,
                                    std::string_view bytes, std::time_t when) {
    // An entry without a name cannot be stored, and one larger than the reader
    // accepts could never be opened again: refuse both before anything is
    // written, so the file on disk stays as it was.
    if (entryName.empty() || entryName.size() > 0xFFFF || bytes.size() > kMaxEntrySize)
        throw CZipException(CZipException::BadZipFile, fileName);

    std::tm local{};
    localtime_r(&when, &local);

    LocalHeader header;
    header.modified = toDosDateTime(local);
    header.nameLength = static_cast<std::uint16_t>(entryName.size());

    std::string archive;
    archive.reserve(kLocalHeaderSize + entryName.size() + bytes.size() / 2 + 1024);
    header.appendTo(archive);
    archive += entryName;

    std::size_t dataStart = archive.size();
    uLong crc = Deflater(fileName).compress(bytes, archive);
    std::size_t compressedSize = archive.size() - dataStart;

    header.crc = static_cast<std::uint32_t>(crc);
    header.compressedSize = static_cast<std::uint32_t>(compressedSize);
    header.uncompressedSize = static_cast<std::uint32_t>(bytes.size());
    set32(archive, 14, header.crc);
    set32(archive, 18, header.compressedSize);
    set32(archive, 22, header.uncompressedSize);

    CentralHeader central;
    central.modified = header.modified;
    central.crc = header.crc;
    central.compressedSize = header.compressedSize;
    central.uncompressedSize = header.uncompressedSize;
    central.nameLength = header.nameLength;
    central.localHeaderOffset = 0;
    std::size_t directoryOffset = archive.size();
    central.appendTo(archive);
    archive += entryName;

    EndRecord end;
    end.entriesOnDisk = 1;
    end.totalEntries = 1;
    end.directorySize = static_cast<std::uint32_t>(kCentralHeaderSize + entryName.size());
    end.directoryOffset = static_cast<std::uint32_t>(directoryOffset);
    end.appendTo(archive);
    return archive;
}

} // namespace strumvale::container
