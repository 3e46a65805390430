#pragma once

#include "xml/xml_document.h"

#include <string>
#include <string_view>
#include <vector>

namespace strumvale::xml::detail {

// Offsets are 32-bit; longer texts are refused rather than wrapped.
inline constexpr std::size_t kMaxTextSize = 0x7FFFFF00;

// Takes another table entry, growing the table by half when it is full.
inline std::int32_t takeEntry(std::vector<ElementSpan>& elements, const ElementSpan& span) {
    if (elements.size() == elements.capacity())
        elements.reserve(elements.capacity() + elements.capacity() / 2 + 1);
    elements.push_back(span);
    return static_cast<std::int32_t>(elements.size() - 1);
}

// Parses text into elements, which hold the cleared entry 0 on entry. False,
// with error set (empty when the text holds no element at all), when the text
// is not well formed; elements are then in an unspecified state.
bool parseDocument(std::string_view text, std::vector<ElementSpan>& elements, std::string& error);

} // namespace strumvale::xml::detail
