#pragma once

#include <initializer_list>
#include <string>

namespace strumvale::test {

// Lines as the writers produce them: each one ended by CR LF.
inline std::string crlfLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace strumvale::test
