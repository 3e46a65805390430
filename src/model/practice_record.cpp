#include "model/practice_record.h"

#include <algorithm>

namespace strumvale::model {

bool samePair(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::string> first = a;
    std::vector<std::string> second = b;
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    return first == second;
}

} // namespace strumvale::model
