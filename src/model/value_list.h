#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace strumvale::model {

// An ordered list of value records indexed from 0. Indices come from the user
// interface, so one outside the list changes nothing and yields no record.
template <typename Record> class ValueList {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }

    std::optional<Record> GetAt(std::int32_t i) const {
        if (!valid(i))
            return std::nullopt;
        return items_[static_cast<std::size_t>(i)];
    }

    bool SetAt(std::int32_t i, const Record& record) {
        if (!valid(i))
            return false;
        items_[static_cast<std::size_t>(i)] = record;
        return true;
    }

    std::int32_t Add(const Record& record) {
        items_.push_back(record);
        return Count() - 1;
    }

    bool RemoveAt(std::int32_t i) {
        if (!valid(i))
            return false;
        items_.erase(items_.begin() + i);
        return true;
    }

    void RemoveAll() { items_.clear(); }

    bool valid(std::int32_t i) const { return i >= 0 && i < Count(); }

    // Read access without copies, for walks over the whole list.
    const std::vector<Record>& items() const { return items_; }
    // For the library's own reordering operations.
    std::vector<Record>& mutableItems() { return items_; }

private:
    std::vector<Record> items_;
};

} // namespace strumvale::model
