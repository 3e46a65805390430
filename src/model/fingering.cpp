#include "model/fingering.h"

namespace strumvale::model {

TabTokens splitTab(std::string_view tab) {
    TabTokens tokens;
    int count = 0;
    for (;;) {
        auto space = tab.find(' ');
        std::string_view token = tab.substr(0, space);
        if (count == kStringCount)
            return splitTab(kMutedTab);
        tokens[static_cast<std::size_t>(count++)] = std::string(token);
        if (space == std::string_view::npos)
            break;
        tab.remove_prefix(space + 1);
    }
    if (count != kStringCount)
        return splitTab(kMutedTab);
    return tokens;
}

static bool isValidToken(std::string_view token) {
    if (token == "x" || token == "0")
        return true;
    if (token.empty() || token.size() > 2 || token[0] < '1' || token[0] > '9')
        return false;
    if (token.size() == 1)
        return true;
    return token[0] == '1' && token[1] >= '0' && token[1] <= '2';
}

bool isValidTab(std::string_view tab) {
    for (const auto& token : splitTab(tab)) {
        if (!isValidToken(token))
            return false;
    }
    return true;
}

std::string joinTab(const TabTokens& tokens) {
    std::string tab = tokens[0];
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        tab += ' ';
        tab += tokens[i];
    }
    return tab;
}

std::string tabToken(std::string_view tab, int stringNumber) {
    if (stringNumber < 1 || stringNumber > kStringCount)
        return {};
    std::string_view token;
    for (int string = kStringCount; string >= stringNumber; --string) {
        auto space = tab.find(' ');
        token = tab.substr(0, space);
        if (space != std::string_view::npos)
            tab.remove_prefix(space + 1);
    }
    return std::string(token);
}

int fretOf(std::string_view token) {
    if (!isValidToken(token) || token == "x")
        return -1;
    int fret = 0;
    for (char c : token)
        fret = fret * 10 + (c - '0');
    return fret;
}

} // namespace strumvale::model
