#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>
#include <string_view>

namespace strumvale::practice {

inline constexpr int kMostCountInBars = 2;

// The count-in's choices in the language in use: none, one bar, two bars;
// the choice made stays.
template <typename Translate> void captionCountIn(QComboBox& box, const Translate& translate) {
    const int chosen = std::max(0, box.currentIndex());
    const QSignalBlocker quiet(&box);
    box.clear();
    box.addItems({translate("No count-in"), translate("1 bar"), translate("2 bars")});
    box.setCurrentIndex(chosen);
    box.setAccessibleName(translate("Count-in"));
}

} // namespace strumvale::practice
