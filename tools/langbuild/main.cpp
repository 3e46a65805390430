// langbuild: turns a readable translation source (UTF-8, one "English<TAB>text"
// per line) into a language file, so translations are kept and reviewed as text.

#include "formats/language_file.h"
#include "platform/file.h"
#include "platform/windows1252.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <vector>

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "langbuild: %s\n", message.c_str());
    return 1;
}

// UTF-8 to the files' code page; a character the code page lacks would show as
// '?' in the program, so it is refused here instead.
bool toCodePage(const std::string& utf8, std::string& text) {
    text = strumvale::platform::utf8ToWindows1252(utf8);
    return std::count(text.begin(), text.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

} // namespace

int main(int argc, char** argv) {
    using namespace strumvale;
    if (argc != 6) {
        std::fprintf(stderr, "usage: langbuild SOURCE TARGET LANGUAGE AUTHOR DESCRIPTION\n");
        return 2;
    }
    std::string source;
    if (!platform::readWholeFile(argv[1], source))
        return fail(std::string("cannot read ") + argv[1]);

    formats::TextList english, foreign;
    size_t start = 0;
    for (int line = 1; start < source.size(); ++line) {
        size_t end = source.find('\n', start);
        if (end == std::string::npos)
            end = source.size();
        std::string text = source.substr(start, end - start);
        start = end + 1;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        size_t tab = text.find('\t');
        if (tab == std::string::npos || text.find('\t', tab + 1) != std::string::npos)
            return fail("line " + std::to_string(line) + ": expected English<TAB>translation");
        std::string key, shown;
        if (!toCodePage(text.substr(0, tab), key) || !toCodePage(text.substr(tab + 1), shown))
            return fail("line " + std::to_string(line) + ": a character outside Windows-1252");
        if (shown.empty())
            return fail("line " + std::to_string(line) + ": empty translation of " + key);
        english.push_back(key);
        foreign.push_back(shown);
    }

    // Every built-in key exactly once, and no others: a gap would show as
    // "Translation Error!" in the program.
    formats::TextList builtIn;
    formats::BuiltInPhrases(builtIn);
    std::set<std::string> wanted(builtIn.begin(), builtIn.end());
    std::set<std::string> given;
    for (const auto& key : english) {
        if (!wanted.count(key))
            return fail("not a phrase of the program: " + key);
        if (!given.insert(key).second)
            return fail("translated twice: " + key);
    }
    for (const auto& key : wanted)
        if (!given.count(key))
            return fail("missing translation: " + key);

    formats::TextList header(4);
    header[0] = formats::kLanguageFileVersion;
    if (!toCodePage(argv[3], header[1]) || !toCodePage(argv[4], header[2]) ||
        !toCodePage(argv[5], header[3]))
        return fail("a header text outside Windows-1252");
    try {
        if (!formats::WriteLanguageFile(header, english, foreign, argv[2]))
            return fail(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    return 0;
}
