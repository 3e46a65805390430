#pragma once

#include "xml/xml_document.h"

#include <string>
#include <string_view>

namespace strumvale::xml::detail {

// Offsets are 32-bit; longer texts are refused rather than wrapped.
inline constexpr std::size_t kMaxTextSize = 0x7FFFFF00;

// Parses text into elements, which hold the cleared entry 0 on entry. False,
// with error set (empty when the text holds no element at all), when the text
// is not well formed; elements are then in an unspecified state.
bool parseDocument(std::string_view text, ElementTable& elements, std::string& error);

} // namespace strumvale::xml::detail
