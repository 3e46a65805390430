#include "model/records.h"

#include <algorithm>

namespace strumvale::model {

std::vector<std::string> splitItemList(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        auto comma = text.find(',');
        items.emplace_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

static std::string spacesToCommas(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), ' ', ',');
    return result;
}

void Scale::setIntervals(std::string_view intervals) {
    intervals_ = spacesToCommas(intervals);
}

void Scale::setNotes(std::string_view notes) {
    notes_ = spacesToCommas(notes);
}

} // namespace strumvale::model
