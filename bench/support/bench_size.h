#pragma once

#include <cstdlib>

namespace strumvale::bench {

// Under ctest the benchmarks run once in a short mode, only to prove they work.
inline bool shortMode() {
    return std::getenv("STRUMVALE_BENCH_SHORT") != nullptr;
}

// The largest size to measure: full in a real run, a tenth or less in short mode.
inline long scaled(long size) {
    return shortMode() && size > 1000 ? size / 100 : size;
}

} // namespace strumvale::bench
