#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace strumvale::formats {

// The leading decimal integer of a text: whitespace skipped, an optional sign,
// then digits up to the first other character; no digits give 0. Values past
// the 32-bit range are clamped to it.
std::int32_t leadingInteger(std::string_view text);

std::string decimalText(std::int32_t value);

} // namespace strumvale::formats
