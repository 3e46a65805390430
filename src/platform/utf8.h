#pragma once

#include <cstddef>
#include <string_view>

// UTF-8 as the standard defines it: no overlong forms, no surrogates, nothing
// past U+10FFFF. One reading for every caller, so that a text that one part
// accepts as UTF-8 is never a different text to another.
namespace strumvale::platform {

struct Utf8Step {
    char32_t codePoint = 0;
    // Bytes read: the whole character, or, when it is broken, its lead and
    // the continuation bytes that still fitted (at least 1).
    std::size_t length = 1;
    bool valid = false;
};

// Returns the character that starts at bytes[at]; at must be inside bytes.
Utf8Step utf8StepAt(std::string_view bytes, std::size_t at);

// Returns whether every byte belongs to a well-formed character.
bool isUtf8(std::string_view bytes);

} // namespace strumvale::platform
