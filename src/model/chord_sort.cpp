#include "model/chord_sort.h"

#include <algorithm>
#include <string_view>

namespace strumvale::model {

// Each exchange pass moves every chord that has a greater root before it one
// place to the front, and no further. So the passes that exchange something
// number the largest count, over all chords, of greater roots standing before it.
std::int64_t exchangeSortPasses(const std::vector<Chord>& chords) {
    if (chords.size() < 2)
        return 1;

    std::vector<std::string_view> roots;
    roots.reserve(chords.size());
    for (const auto& chord : chords)
        roots.emplace_back(chord.RootNote);
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());

    // Fenwick tree over root ranks: how many chords seen so far rank at or below.
    std::vector<std::int64_t> tree(roots.size() + 1, 0);
    std::int64_t mostGreaterBefore = 0;
    std::int64_t seen = 0;
    for (const auto& chord : chords) {
        auto rank = static_cast<std::size_t>(
            std::lower_bound(roots.begin(), roots.end(), std::string_view(chord.RootNote)) -
            roots.begin() + 1);
        std::int64_t atOrBelow = 0;
        for (auto i = rank; i > 0; i -= i & (~i + 1))
            atOrBelow += tree[i];
        mostGreaterBefore = std::max(mostGreaterBefore, seen - atOrBelow);
        for (auto i = rank; i < tree.size(); i += i & (~i + 1))
            ++tree[i];
        ++seen;
    }
    return mostGreaterBefore + 1;
}

void sortByRootNote(std::vector<Chord>& chords, const std::function<void()>& onPass) {
    std::int64_t passes = exchangeSortPasses(chords);
    if (onPass)
        onPass();
    std::stable_sort(chords.begin(), chords.end(),
                     [](const Chord& a, const Chord& b) { return a.RootNote < b.RootNote; });
    if (onPass) {
        for (std::int64_t pass = 1; pass < passes; ++pass)
            onPass();
    }
}

} // namespace strumvale::model
