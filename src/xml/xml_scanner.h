#pragma once

// Scanning primitives shared by the parser, the cursor and the writer. Every
// scan is bounded by the text size: the text may hold zero bytes of its own,
// so the terminator of std::string is never relied on. Windows-1252 is a
// single-byte code page, so one character is one byte.

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace strumvale::xml::detail {

enum CharClass : std::uint8_t {
    kSpace = 1,     // space, tab, line feed, carriage return
    kTokenStop = 2, // ends an unquoted token (whitespace included)
    kNameEnd = 4,   // may follow a name that a token matched: space = / [
};

inline constexpr std::array<std::uint8_t, 256> kCharClass = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned char c : std::string_view(" \t\n\r"))
        table[c] |= kSpace | kTokenStop;
    for (unsigned char c : std::string_view("<>=\\/?!"))
        table[c] |= kTokenStop;
    for (unsigned char c : std::string_view(" =/["))
        table[c] |= kNameEnd;
    return table;
}();

inline bool isSpace(char c) {
    return kCharClass[static_cast<unsigned char>(c)] & kSpace;
}
inline bool isTokenStop(char c) {
    return kCharClass[static_cast<unsigned char>(c)] & kTokenStop;
}

// Left and Right are the inclusive offsets of the token's text (Right is Left - 1
// for an empty quoted token); Next is the offset after the token.
struct TokenCursor {
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    std::int32_t Next = 0;
    bool Quoted = false;

    std::int32_t length() const { return Right - Left + 1; }
};

class Scanner {
public:
    explicit Scanner(std::string_view text)
        : data_(text.data()), size_(static_cast<std::int32_t>(text.size())) {}

    std::int32_t size() const { return size_; }
    char at(std::int32_t pos) const { return data_[pos]; }
    std::string_view slice(std::int32_t from, std::int32_t count) const {
        return {data_ + from, static_cast<std::size_t>(count)};
    }

    // Leaves pos on the next c at or after it, or on the end; true when found.
    // Tags are mostly a few bytes apart, so a short inline look comes first.
    bool findChar(char c, std::int32_t& pos) const {
        std::int32_t p = pos;
        const std::int32_t quickEnd = p + 16 < size_ ? p + 16 : size_;
        for (; p < quickEnd; ++p) {
            if (data_[p] == c) {
                pos = p;
                return true;
            }
        }
        if (p < size_) {
            const void* hit = std::memchr(data_ + p, c, static_cast<std::size_t>(size_ - p));
            if (hit != nullptr) {
                pos = static_cast<std::int32_t>(static_cast<const char*>(hit) - data_);
                return true;
            }
        }
        pos = size_;
        return false;
    }

    // Offset of the first needle at or after from, or -1.
    std::int32_t find(std::string_view needle, std::int32_t from) const {
        auto at = std::string_view(data_, static_cast<std::size_t>(size_)).find(needle, from);
        return at == std::string_view::npos ? -1 : static_cast<std::int32_t>(at);
    }

    // Leaves pos on the first non-whitespace character; true when there is one.
    bool skipSpace(std::int32_t& pos) const {
        std::int32_t p = pos;
        while (p < size_ && isSpace(data_[p]))
            ++p;
        pos = p;
        return p < size_;
    }

    // Reads the token at token.Next; false (all three offsets on the end) when
    // only whitespace remains.
    bool nextToken(TokenCursor& token) const {
        std::int32_t p = token.Next;
        if (!skipSpace(p)) {
            token.Left = token.Right = token.Next = size_;
            token.Quoted = false;
            return false;
        }
        const char first = data_[p];
        if (first == '"' || first == '\'') {
            token.Quoted = true;
            token.Left = p + 1;
            std::int32_t close = p + 1;
            const bool closed = findChar(first, close);
            token.Right = close - 1;
            token.Next = closed ? close + 1 : close;
            return true;
        }
        token.Quoted = false;
        token.Left = p;
        std::int32_t q = p;
        while (q < size_ && !isTokenStop(data_[q]))
            ++q;
        if (q == p)
            q = p + 1; // a stop character on its own is a token
        token.Right = q - 1;
        token.Next = q;
        return true;
    }

    // True for the unquoted one-character token c.
    bool tokenIs(const TokenCursor& token, char c) const {
        return !token.Quoted && token.Left == token.Right && data_[token.Left] == c;
    }

    // The token's text matches name when name starts with it and goes on, if at
    // all, with a space, "=", "/" or "[": so "Name" matches "Name" only.
    bool tokenMatches(const TokenCursor& token, std::string_view name) const {
        const std::int32_t n = token.length();
        if (n <= 0 || static_cast<std::size_t>(n) > name.size())
            return false;
        if (std::memcmp(data_ + token.Left, name.data(), static_cast<std::size_t>(n)) != 0)
            return false;
        return static_cast<std::size_t>(n) == name.size() ||
               (kCharClass[static_cast<unsigned char>(name[n])] & kNameEnd);
    }

    // The name token of the tag whose "<" is at tagBegin.
    TokenCursor tagName(std::int32_t tagBegin) const {
        TokenCursor token;
        token.Next = tagBegin + 1;
        nextToken(token);
        return token;
    }

private:
    const char* data_;
    std::int32_t size_;
};

} // namespace strumvale::xml::detail
