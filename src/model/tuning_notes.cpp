#include "model/tuning_notes.h"

#include <array>

namespace strumvale::model {

std::string tuningNote(std::string_view notes, int stringNumber) {
    if (stringNumber < 1 || stringNumber > 6 || notes.empty())
        return {};
    // slots[0] is string 6, slots[5] string 1.
    std::array<std::string_view, 6> slots{};
    for (std::size_t slot = 0; slot < 5; ++slot) {
        auto comma = notes.find(',');
        if (comma == std::string_view::npos)
            continue;
        slots[slot] = notes.substr(0, comma);
        notes.remove_prefix(comma + 1);
    }
    slots[5] = notes;
    return std::string(slots[static_cast<std::size_t>(6 - stringNumber)]);
}

} // namespace strumvale::model
