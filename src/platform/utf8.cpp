#include "platform/utf8.h"

#include <cstdint>

namespace strumvale::platform {

Utf8Step utf8StepAt(std::string_view bytes, std::size_t at) {
    auto byteAt = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
    const std::uint8_t lead = byteAt(at);
    if (lead < 0x80)
        return {lead, 1, true};
    // Length and the allowed range of the second byte, which rules out
    // overlong forms, surrogates and values past U+10FFFF.
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {0, 1, false};
    }
    for (std::size_t taken = 1; taken < length; ++taken) {
        const std::size_t k = at + taken;
        const std::uint8_t lo = taken == 1 ? low : 0x80;
        const std::uint8_t hi = taken == 1 ? high : 0xBF;
        if (k >= bytes.size() || byteAt(k) < lo || byteAt(k) > hi)
            return {0, taken, false};
        cp = (cp << 6) | (byteAt(k) & 0x3F);
    }
    return {cp, length, true};
}

bool isUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Step step = utf8StepAt(bytes, at);
        if (!step.valid)
            return false;
        at += step.length;
    }
    return true;
}

} // namespace strumvale::platform
