#include "model/metre.h"

#include <charconv>

namespace strumvale::model {
namespace {

std::optional<int> wholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string Metre::text() const {
    return std::to_string(count) + "/" + std::to_string(unit);
}

std::optional<Metre> parseMetre(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> count = wholeNumber(text.substr(0, slash));
    const std::optional<int> unit = wholeNumber(text.substr(slash + 1));
    if (!count || !unit || *count < 1 || *count > 32 ||
        (*unit != 2 && *unit != 4 && *unit != 8 && *unit != 16))
        return std::nullopt;
    return Metre{*count, *unit};
}

} // namespace strumvale::model
