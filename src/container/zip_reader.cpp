#include "container/zip_archive.h"
#include "container/zip_exception.h"
#include "container/zip_records.h"
#include "container/zlib_status.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
#include <zlib.h>

namespace strumvale::container {
namespace {

using namespace zip;

constexpr std::size_t kInputPiece = 65536;
constexpr std::size_t kOutputPiece = 65535;
// Deflate turns one input byte into at most about 1,032 output bytes.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

[[noreturn]] void damaged(const CZipFile& file) {
    throw CZipException(CZipException::BadZipFile, file.path());
}

struct Directory {
    // Bytes in front of the archive (a self-extractor stub); every stored
    // offset is relative to where the archive itself starts.
    std::uint64_t bytesBefore = 0;
    // By disk, then by local header offset: front() is the entry whose data
    // comes first in the file.
    std::vector<CentralHeader> headers;
};

std::uint64_t findEndRecord(const CZipFile& file) {
    std::size_t span =
        static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kEndRecordSearchSpan));
    std::uint64_t start = file.size() - span;
    std::vector<unsigned char> tail(span);
    file.readExact(start, tail.data(), span);
    // A comment may itself hold the signature: the occurrence nearest the end wins.
    for (std::size_t i = span >= 4 ? span - 3 : 0; i-- > 0;) {
        if (tail[i] == 'P' && get32(&tail[i]) == kEndRecordSignature)
            return start + i;
    }
    throw CZipException(CZipException::CentralDirectoryNotFound, file.path());
}

Directory readDirectory(const CZipFile& file) {
    std::uint64_t endOffset = findEndRecord(file);
    unsigned char raw[kEndRecordSize];
    file.readExact(endOffset, raw, sizeof raw);
    EndRecord end = EndRecord::parse(raw);
    if (end.commentLength > file.size() - endOffset - kEndRecordSize)
        damaged(file);

    std::uint64_t directoryEnd = std::uint64_t{end.directoryOffset} + end.directorySize;
    if (endOffset < directoryEnd)
        damaged(file);
    if ((end.directorySize == 0) != (end.totalEntries == 0))
        damaged(file);

    Directory directory;
    directory.bytesBefore = endOffset - directoryEnd;
    directory.headers.reserve(end.totalEntries);
    std::uint64_t at = end.directoryOffset + directory.bytesBefore;
    for (unsigned i = 0; i < end.totalEntries; ++i) {
        unsigned char record[kCentralHeaderSize];
        file.readExact(at, record, sizeof record);
        if (get32(record) != kCentralHeaderSignature)
            damaged(file);
        CentralHeader header = CentralHeader::parse(record);
        at += header.recordSize();
        if (at > file.size())
            damaged(file);
        directory.headers.push_back(header);
    }

    auto position = [](const CentralHeader& h) {
        return std::pair{h.diskStart, h.localHeaderOffset};
    };
    std::sort(
        directory.headers.begin(), directory.headers.end(),
        [&](const CentralHeader& a, const CentralHeader& b) { return position(a) < position(b); });
    auto twin = std::adjacent_find(
        directory.headers.begin(), directory.headers.end(),
        [&](const CentralHeader& a, const CentralHeader& b) { return position(a) == position(b); });
    if (twin != directory.headers.end())
        damaged(file);
    return directory;
}

// One entry being read: produces its uncompressed bytes piece by piece and
// checks them on close().
class EntryReader {
public:
    EntryReader(const CZipFile& file, std::uint64_t bytesBefore, const CentralHeader& central)
        : file_(file), central_(central) {
        std::uint64_t localStart = central.localHeaderOffset + bytesBefore;
        unsigned char raw[kLocalHeaderSize];
        file.readExact(localStart, raw, sizeof raw);
        if (get32(raw) != kLocalHeaderSignature)
            damaged(file);
        LocalHeader local = LocalHeader::parse(raw);
        if (local.method != central.method ||
            (local.method != kMethodStored && local.method != kMethodDeflated))
            damaged(file);
        if (local.nameLength != central.nameLength)
            damaged(file);
        // With a data descriptor the local header may hold zeros; the values
        // then follow the data and are checked there.
        if (!(local.flags & kFlagDataDescriptor) &&
            (local.crc != central.crc || local.compressedSize != central.compressedSize ||
             local.uncompressedSize != central.uncompressedSize))
            damaged(file);
        flags_ = local.flags;
        if (flags_ & kFlagEncrypted)
            throw CZipException(CZipException::BadPassword, file.path());

        if (central.uncompressedSize > kMaxEntrySize)
            damaged(file);
        if (central.method == kMethodStored && central.compressedSize != central.uncompressedSize)
            damaged(file);
        dataStart_ = localStart + kLocalHeaderSize + local.nameLength + local.extraLength;
        if (dataStart_ > file.size() || central.compressedSize > file.size() - dataStart_)
            damaged(file);
        next_ = dataStart_;
        compressedLeft_ = central.compressedSize;
        input_ = std::make_unique<unsigned char[]>(
            static_cast<std::size_t>(std::min<std::uint64_t>(kInputPiece, compressedLeft_ + 1)));

        if (central.method == kMethodDeflated) {
            int status = inflateInit2(&stream_, -MAX_WBITS);
            if (status != Z_OK)
                throwZlibError(status, file.path());
            inflating_ = true;
        }
    }

    ~EntryReader() {
        if (inflating_)
            inflateEnd(&stream_);
    }
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    // Uncompressed bytes still to come by the header.
    std::uint64_t left() const { return central_.uncompressedSize - produced_; }

    // What the entry can really produce, so that a header that overstates its
    // size does not make the caller set memory aside for nothing.
    std::uint64_t sizeHint() const {
        std::uint64_t bound = central_.method == kMethodDeflated
                                  ? central_.compressedSize * kMaxDeflateRatio
                                  : central_.compressedSize;
        return std::min<std::uint64_t>(central_.uncompressedSize, bound);
    }

    // Produces up to count bytes into out; fewer only when the entry is done.
    std::size_t read(char* out, std::size_t count) {
        auto want = static_cast<uInt>(std::min<std::uint64_t>({count, left(), kOutputPiece}));
        stream_.next_out = reinterpret_cast<Bytef*>(out);
        stream_.avail_out = want;
        while (stream_.avail_out > 0 && !streamEnded_) {
            if (stream_.avail_in == 0 && compressedLeft_ > 0)
                refill();
            if (inflating_) {
                int status = inflate(&stream_, Z_SYNC_FLUSH);
                if (status == Z_STREAM_END)
                    streamEnded_ = true;
                else if (status == Z_BUF_ERROR && stream_.avail_in == 0 && compressedLeft_ == 0)
                    damaged(file_); // the data ends before its deflate stream does
                else if (status != Z_OK)
                    throwZlibError(status, file_.path());
            } else {
                // Stored: the stream's cursors serve as a plain copy; the sizes
                // are equal, so input never runs out before the output is full.
                uInt n = std::min(stream_.avail_in, stream_.avail_out);
                if (n == 0)
                    damaged(file_);
                std::memcpy(stream_.next_out, stream_.next_in, n);
                stream_.next_in += n;
                stream_.avail_in -= n;
                stream_.next_out += n;
                stream_.avail_out -= n;
            }
        }
        uInt got = want - stream_.avail_out;
        crc_ = crc32(crc_, reinterpret_cast<const Bytef*>(out), got);
        produced_ += got;
        return got;
    }

    void close() {
        // Every legitimate writer records the true size, so a stream that ends
        // short or runs long is damage, not something to hand on as the entry.
        if (produced_ < central_.uncompressedSize)
            damaged(file_);
        if (inflating_ && !streamEnded_)
            expectStreamEnd();
        if (crc_ != central_.crc)
            throw CZipException(CZipException::BadCrc, file_.path());
        if (flags_ & kFlagDataDescriptor)
            checkDataDescriptor();
    }

private:
    void refill() {
        auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kInputPiece, compressedLeft_));
        file_.readExact(next_, input_.get(), n);
        next_ += n;
        compressedLeft_ -= n;
        stream_.next_in = input_.get();
        stream_.avail_in = static_cast<uInt>(n);
    }

    // All the bytes the header promised are out; the stream must not have more.
    void expectStreamEnd() {
        unsigned char spare = 0;
        for (;;) {
            if (stream_.avail_in == 0 && compressedLeft_ > 0)
                refill();
            stream_.next_out = &spare;
            stream_.avail_out = 1;
            int status = inflate(&stream_, Z_SYNC_FLUSH);
            if (stream_.avail_out == 0)
                damaged(file_);
            if (status == Z_STREAM_END)
                return;
            // Data that stops right after the last byte loses nothing; the
            // CRC-32 still decides.
            if (status == Z_BUF_ERROR && stream_.avail_in == 0 && compressedLeft_ == 0)
                return;
            if (status != Z_OK)
                throwZlibError(status, file_.path());
        }
    }

    void checkDataDescriptor() {
        unsigned char raw[16];
        std::size_t got = file_.readSome(dataStart_ + central_.compressedSize, raw, sizeof raw);
        auto matches = [&](const unsigned char* p) {
            return get32(p) == central_.crc && get32(p + 4) == central_.compressedSize &&
                   get32(p + 8) == central_.uncompressedSize;
        };
        // The signature is optional, and a CRC-32 may happen to look like it.
        bool signedMatch = got >= 16 && get32(raw) == kDataDescriptorSignature && matches(raw + 4);
        bool bareMatch = got >= 12 && matches(raw);
        if (!signedMatch && !bareMatch)
            damaged(file_);
    }

    const CZipFile& file_;
    CentralHeader central_;
    std::uint16_t flags_ = 0;
    std::uint64_t dataStart_ = 0;
    std::uint64_t next_ = 0;
    std::uint64_t compressedLeft_ = 0;
    std::uint64_t produced_ = 0;
    uLong crc_ = 0;
    bool inflating_ = false;
    bool streamEnded_ = false;
    z_stream stream_{};
    std::unique_ptr<unsigned char[]> input_;
};

} // namespace

void readFirstEntry(const CZipFile& file, std::string& buffer) {
    Directory directory = readDirectory(file);
    if (directory.headers.empty())
        return;

    const std::size_t original = buffer.size();
    try {
        EntryReader entry(file, directory.bytesBefore, directory.headers.front());
        buffer.reserve(original + static_cast<std::size_t>(entry.sizeHint()));
        for (;;) {
            std::size_t at = buffer.size();
            auto piece =
                static_cast<std::size_t>(std::min<std::uint64_t>(kOutputPiece, entry.left()));
            buffer.resize(at + piece);
            std::size_t got = entry.read(buffer.data() + at, piece);
            buffer.resize(at + got);
            if (got < kOutputPiece)
                break;
        }
        entry.close();
    } catch (...) {
        buffer.resize(original);
        throw;
    }
}

} // namespace strumvale::container
