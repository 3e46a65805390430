#pragma once

#include <string>
#include <string_view>
#include <vector>

// A song file's bytes as lines of UTF-8 text, whatever they were written in.
namespace strumvale::formats::chordpro {

// Returns the text of bytes as UTF-8: UTF-8 (with or without its byte-order
// mark), UTF-16 with its byte-order mark, else Latin-1 as ChordPro allows.
// Throws ChordProError when the bytes are too many or are no text.
std::string songTextAsUtf8(std::string_view bytes);

// Returns the lines of text without their line ends (LF, CRLF, or CR alone as
// old Mac files end them).
std::vector<std::string> songLines(std::string text);

} // namespace strumvale::formats::chordpro
