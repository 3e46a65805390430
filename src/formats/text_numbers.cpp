#include "formats/text_numbers.h"

#include <limits>

namespace strumvale::formats {

std::int32_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative)
        return magnitude >= limit ? std::numeric_limits<std::int32_t>::min()
                                  : static_cast<std::int32_t>(-magnitude);
    return magnitude >= limit - 1 ? std::numeric_limits<std::int32_t>::max()
                                  : static_cast<std::int32_t>(magnitude);
}

std::string decimalText(std::int32_t value) {
    return std::to_string(value);
}

} // namespace strumvale::formats
