#include "model/fingering.h"

#include "model/notes.h"

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

TokenMeaning readToken(std::string_view token) {
    if (token == "x")
        return {TokenMeaning::Kind::Muted, -1};
    // No sign, padding or leading zero: a fret has one spelling only.
    if (token.empty() || token.size() > 2 || (token.size() == 2 && token[0] == '0'))
        return {};
    int fret = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            return {};
        fret = fret * 10 + (c - '0');
    }
    if (!isFretOnTheNeck(fret))
        return {};
    return {TokenMeaning::Kind::Fret, fret};
}

bool isValidTab(std::string_view tab) {
    for (const auto& token : splitTab(tab)) {
        if (readToken(token).kind == TokenMeaning::Kind::NotAFret)
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
    return readToken(token).fret;
}

bool isFretOnTheNeck(int fret) {
    return fret >= 0 && fret <= kHighestFret;
}

std::string beyondTheNeck(int fret) {
    return "this chord reaches fret " + std::to_string(fret) + ", beyond the " +
           std::to_string(kHighestFret) + " the neck shows";
}

} // namespace strumvale::model
