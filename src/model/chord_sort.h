#pragma once

#include "model/records.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace strumvale::model {

// How many passes an exchange sort on root notes makes over chords, counting
// the final pass that exchanges nothing (1 for fewer than two chords).
std::int64_t exchangeSortPasses(const std::vector<Chord>& chords);

// Stable sort by root note (byte order), calling onPass exactly
// exchangeSortPasses() times, in O(n log n) rather than the exchange sort's O(n²).
void sortByRootNote(std::vector<Chord>& chords, const std::function<void()>& onPass);

} // namespace strumvale::model
