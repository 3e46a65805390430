#pragma once

#include <cstdio>
#include <memory>
#include <string>

// What a PDF file holds for a reader: its text as a PDF reader extracts it
// (so drawn text would not count) and its page count.
namespace strumvale::test {

inline std::string commandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return output;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        output.append(buffer, count);
    return output;
}

// "-layout" keeps each printed line on one line of text.
inline std::string pdfText(const std::string& path, const char* mode = "-layout") {
    return commandOutput(std::string(STRUMVALE_PDFTOTEXT) + " " + mode + " -enc UTF-8 '" + path +
                         "' - 2>/dev/null");
}

// Every word with its box, one per line: <word xMin="…" yMin="…" …>text</word>.
inline std::string pdfWordBoxes(const std::string& path) {
    return pdfText(path, "-bbox");
}

// How much space a reader puts between words varies; the words do not.
inline std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](char c) { return c == ' '; });
    return text;
}

inline int pdfPageCount(const std::string& path) {
    const std::string info =
        commandOutput(std::string(STRUMVALE_PDFINFO) + " '" + path + "' 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace strumvale::test
