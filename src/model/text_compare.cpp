#include "model/text_compare.h"

#include <array>

namespace strumvale::model {
namespace {

constexpr std::array<unsigned char, 256> makeLowerCaseTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) // multiplication sign
            table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    }
    table[0x8A] = 0x9A; // S caron
    table[0x8C] = 0x9C; // OE
    table[0x8E] = 0x9E; // Z caron
    table[0x9F] = 0xFF; // Y diaeresis
    return table;
}

constexpr auto kLowerCase = makeLowerCaseTable();

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kLowerCase[static_cast<unsigned char>(a[i])] !=
            kLowerCase[static_cast<unsigned char>(b[i])])
            return false;
    }
    return true;
}

} // namespace strumvale::model
