#include "output.h"

#include "platform/windows1252.h"

#include <cstdio>

namespace gtrtool {

std::string fieldText(std::string_view windows1252) {
    std::string escaped;
    escaped.reserve(windows1252.size());
    for (char c : windows1252) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        default:
            escaped += c;
        }
    }
    return strumvale::platform::windows1252ToUtf8(escaped);
}

void printRecord(std::initializer_list<std::string_view> fields) {
    std::string line;
    bool first = true;
    for (auto field : fields) {
        if (!first)
            line += '\t';
        first = false;
        line += fieldText(field);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

std::string argumentText(std::string_view utf8) {
    return strumvale::platform::utf8ToWindows1252(utf8);
}

} // namespace gtrtool
