#pragma once

#include "model/fingering.h"
#include "theory/playability.h"

#include <string_view>

namespace strumvale::theory::test {

// A tab as the hand rules read it, string 6 first.
inline StringFrets fretsOf(std::string_view tab) {
    StringFrets frets{};
    const model::TabTokens tokens = model::splitTab(tab);
    for (std::size_t index = 0; index < tokens.size(); ++index)
        frets[index] = tokens[index] == "x" ? kSilentString : model::fretOf(tokens[index]);
    return frets;
}

} // namespace strumvale::theory::test
