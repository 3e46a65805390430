#include "container/zip_records.h"

#include <algorithm>

namespace strumvale::container::zip {

void put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void set32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

DosDateTime toDosDateTime(const std::tm& local) {
    int year = std::clamp(local.tm_year + 1900 - 1980, 0, 127);
    DosDateTime result;
    result.time = static_cast<std::uint16_t>(local.tm_hour * 2048 + local.tm_min * 32 +
                                             std::min(local.tm_sec, 59) / 2);
    result.date = static_cast<std::uint16_t>(year * 512 + (local.tm_mon + 1) * 32 + local.tm_mday);
    return result;
}

LocalHeader LocalHeader::parse(const unsigned char* p) {
    LocalHeader h;
    h.versionNeeded = get16(p + 4);
    h.flags = get16(p + 6);
    h.method = get16(p + 8);
    h.modified = {get16(p + 10), get16(p + 12)};
    h.crc = get32(p + 14);
    h.compressedSize = get32(p + 18);
    h.uncompressedSize = get32(p + 22);
    h.nameLength = get16(p + 26);
    h.extraLength = get16(p + 28);
    return h;
}

void LocalHeader::appendTo(std::string& out) const {
    put32(out, kLocalHeaderSignature);
    put16(out, versionNeeded);
    put16(out, flags);
    put16(out, method);
    put16(out, modified.time);
    put16(out, modified.date);
    put32(out, crc);
    put32(out, compressedSize);
    put32(out, uncompressedSize);
    put16(out, nameLength);
    put16(out, extraLength);
}

CentralHeader CentralHeader::parse(const unsigned char* p) {
    CentralHeader h;
    h.versionMadeBy = get16(p + 4);
    h.versionNeeded = get16(p + 6);
    h.flags = get16(p + 8);
    h.method = get16(p + 10);
    h.modified = {get16(p + 12), get16(p + 14)};
    h.crc = get32(p + 16);
    h.compressedSize = get32(p + 20);
    h.uncompressedSize = get32(p + 24);
    h.nameLength = get16(p + 28);
    h.extraLength = get16(p + 30);
    h.commentLength = get16(p + 32);
    h.diskStart = get16(p + 34);
    h.internalAttributes = get16(p + 36);
    h.externalAttributes = get32(p + 38);
    h.localHeaderOffset = get32(p + 42);
    return h;
}

void CentralHeader::appendTo(std::string& out) const {
    put32(out, kCentralHeaderSignature);
    put16(out, versionMadeBy);
    put16(out, versionNeeded);
    put16(out, flags);
    put16(out, method);
    put16(out, modified.time);
    put16(out, modified.date);
    put32(out, crc);
    put32(out, compressedSize);
    put32(out, uncompressedSize);
    put16(out, nameLength);
    put16(out, extraLength);
    put16(out, commentLength);
    put16(out, diskStart);
    put16(out, internalAttributes);
    put32(out, externalAttributes);
    put32(out, localHeaderOffset);
}

EndRecord EndRecord::parse(const unsigned char* p) {
    EndRecord e;
    e.thisDisk = get16(p + 4);
    e.directoryDisk = get16(p + 6);
    e.entriesOnDisk = get16(p + 8);
    e.totalEntries = get16(p + 10);
    e.directorySize = get32(p + 12);
    e.directoryOffset = get32(p + 16);
    e.commentLength = get16(p + 20);
    return e;
}

void EndRecord::appendTo(std::string& out) const {
    put32(out, kEndRecordSignature);
    put16(out, thisDisk);
    put16(out, directoryDisk);
    put16(out, entriesOnDisk);
    put16(out, totalEntries);
    put32(out, directorySize);
    put32(out, directoryOffset);
    put16(out, commentLength);
}

} // namespace strumvale::container::zip
