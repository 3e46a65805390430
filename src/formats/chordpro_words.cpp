#include "formats/chordpro_words.h"

#include "platform/windows1252.h"

#include <cctype>

namespace strumvale::formats::chordpro {

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\f");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\f");
    return std::string(text.substr(first, last - first + 1));
}

std::string lowered(std::string_view text) {
    std::string low(text);
    for (char& c : low)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low;
}

std::string toCore(std::string_view utf8) {
    return platform::utf8ToWindows1252(utf8);
}

ChordProError badLine(int line, std::string_view why) {
    return ChordProError(ChordProError::Kind::BadLine, line,
                         "line " + std::to_string(line) + ": " + std::string(why));
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> all;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == ':') {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (text[i] == '"' || text[i] == '\'') {
            end = text.find(text[i], i + 1);
            if (end == std::string_view::npos)
                end = text.size();
            all.emplace_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        all.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return all;
}

} // namespace strumvale::formats::chordpro
