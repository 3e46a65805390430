#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumvale::platform {

// Core strings are Windows-1252 bytes, as in the files. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to and from the C1
// controls of the same value, so every byte survives a round trip through
// Unicode.

// The Unicode character that a Windows-1252 byte stands for.
char32_t windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte for a Unicode character, if the code page has one.
std::optional<char> codePointToWindows1252(char32_t codePoint);

// UTF-16 (host order units) to Windows-1252: characters the code page lacks,
// lone surrogates and surrogate pairs each become one '?'.
std::string utf16ToWindows1252(std::u16string_view units);

// UTF-8 to Windows-1252: characters the code page lacks become '?', and so does
// each malformed sequence (one '?' per maximal ill-formed subsequence).
std::string utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8; never fails.
std::string windows1252ToUtf8(std::string_view text);

} // namespace strumvale::platform
