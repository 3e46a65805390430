#pragma once

#include "container/container.h"
#include "container/zip_exception.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace strumvale::test {

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::uint32_t le(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    return value;
}

inline void setLe(std::string& bytes, std::size_t at, int width, std::uint32_t value) {
    for (int i = 0; i < width; ++i)
        bytes.at(at + static_cast<std::size_t>(i)) = static_cast<char>(value >> (8 * i));
}

// XML-like text with CRLF and Windows-1252 letters, varied enough that deflate
// has real work to do.
inline std::string chordText(std::size_t size) {
    static const char* const names[] = {"C", "Cm7", "D\xE9sus4", "E7", "F#m", "G/B", "Am9", "Bb"};
    std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<Chordfile>\r\n";
    std::uint32_t seed = 12345;
    while (text.size() < size) {
        seed = seed * 1103515245u + 12345u;
        text += "\t<Chord Name=\"";
        text += names[(seed >> 16) % 8];
        text += "\" Tab=\"";
        for (int s = 0; s < 6; ++s)
            text += std::to_string((seed >> (s * 4)) % 13) + (s < 5 ? " " : "\"/>\r\n");
    }
    text.resize(size);
    return text;
}

// The code of the container error that reading raises, 0 when it succeeds;
// on an error the buffer must be left as it was.
inline int readError(const std::string& path, std::string* result = nullptr) {
    std::string buffer = "keep";
    try {
        container::ReadFirstEntry(path, buffer);
    } catch (const container::CZipException& error) {
        if (buffer != "keep" || error.fileName() != path ||
            std::string(error.what()) != container::CZipException::textOf(error.code()))
            return -1;
        return error.code();
    }
    if (result)
        *result = buffer.substr(4);
    return 0;
}

} // namespace strumvale::test
