#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <type_traits>
#include <utility>

namespace strumvale::xml::detail {

// The element table: a plain buffer grown with realloc, which moves large
// blocks by remapping pages instead of copying them and touching fresh ones.
template <typename T> class SpanTable {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    SpanTable() = default;
    SpanTable(const SpanTable& other) { *this = other; }
    SpanTable(SpanTable&& other) noexcept { swap(other); }
    SpanTable& operator=(const SpanTable& other) {
        if (this != &other) {
            size_ = 0;
            reserve(other.size_);
            if (other.size_ != 0)
                std::memcpy(data_, other.data_, other.size_ * sizeof(T));
            size_ = other.size_;
        }
        return *this;
    }
    SpanTable& operator=(SpanTable&& other) noexcept {
        swap(other);
        return *this;
    }
    ~SpanTable() { std::free(data_); }

    void swap(SpanTable& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    std::span<const T> view() const { return {data_, size_}; }

    // Empties the table with room for count entries, copying nothing.
    void clearAndReserve(std::size_t count) {
        size_ = 0;
        if (count > capacity_) {
            std::free(data_);
            data_ = nullptr;
            capacity_ = 0;
            reserve(count);
        }
    }
    void shrinkTo(std::size_t count) { size_ = count < size_ ? count : size_; }

    void reserve(std::size_t count) {
        if (count <= capacity_)
            return;
        void* grown = std::realloc(data_, count * sizeof(T));
        if (grown == nullptr)
            throw std::bad_alloc();
        data_ = static_cast<T*>(grown);
        capacity_ = count;
    }

    // Appends an uninitialised entry, growing by half when full. Filling the
    // fields in place avoids building a copy on the stack first.
    T& appendSlot() {
        if (size_ == capacity_)
            reserve(capacity_ + capacity_ / 2 + 1);
        return data_[size_++];
    }

    // Returns the new entry's index.
    std::int32_t append(const T& value) {
        appendSlot() = value;
        return static_cast<std::int32_t>(size_ - 1);
    }

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace strumvale::xml::detail
