#include "xml/xml_document.h"
#include "xml/xml_parser.h"
#include "xml/xml_scanner.h"

#include <cstring>

namespace strumvale::xml {
namespace {

// A name must read back as the one name token of its tag.
bool isPlainName(std::string_view name) {
    if (name.empty() || name.front() == '"' || name.front() == '\'')
        return false;
    for (char c : name) {
        if (detail::isTokenStop(c))
            return false;
    }
    return true;
}

std::size_t escapedLength(std::string_view text) {
    std::size_t length = text.size();
    for (char c : text)
        length += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
    return length;
}

char* put(char* out, std::string_view piece) {
    if (!piece.empty()) // an empty view may hold no pointer at all
        std::memcpy(out, piece.data(), piece.size());
    return out + piece.size();
}

// "<name/>" CRLF, or "<name>" escaped text "</name>" CRLF, into exactly
// elementLength() bytes.
char* writeElement(char* out, std::string_view name, std::string_view text) {
    *out++ = '<';
    out = put(out, name);
    if (text.empty())
        return put(out, "/>\r\n");
    *out++ = '>';
    for (char c : text) {
        switch (c) {
        case '<':
            out = put(out, "&lt;");
            break;
        case '&':
            out = put(out, "&amp;");
            break;
        case '>':
            out = put(out, "&gt;");
            break;
        default:
            *out++ = c;
        }
    }
    out = put(out, "</");
    out = put(out, name);
    return put(out, ">\r\n");
}

std::size_t elementLength(std::string_view name, std::size_t escaped) {
    return escaped == 0 ? name.size() + 5 : 2 * name.size() + escaped + 7;
}

void shiftSpan(ElementSpan& span, std::int32_t delta) {
    span.StartTagBegin += delta;
    span.StartTagEnd += delta;
    span.EndTagBegin += delta;
    span.EndTagEnd += delta;
}

void shiftSubtree(ElementTable& elements, std::int32_t root, std::int32_t delta) {
    std::int32_t node = root;
    for (;;) {
        shiftSpan(elements[node], delta);
        if (elements[node].FirstChild != 0) {
            node = elements[node].FirstChild;
            continue;
        }
        while (node != root && elements[node].NextSibling == 0)
            node = elements[node].Parent;
        if (node == root)
            return;
        node = elements[node].NextSibling;
    }
}

// Moves everything that lies behind an insertion under owner: the siblings from
// later on, owner's end tag, then the same one level up, and so on. Only what
// follows the insertion point is visited, so appending costs the depth, not the
// document size.
void shiftFollowing(ElementTable& elements, std::int32_t owner, std::int32_t later,
                    std::int32_t delta) {
    for (;;) {
        for (std::int32_t s = later; s != 0; s = elements[s].NextSibling)
            shiftSubtree(elements, s, delta);
        if (owner == 0)
            return;
        elements[owner].EndTagBegin += delta;
        elements[owner].EndTagEnd += delta;
        later = elements[owner].NextSibling;
        owner = elements[owner].Parent;
    }
}

} // namespace

bool XmlDocument::AddElement(std::string_view name, std::string_view text) {
    if (parentPos_ == 0) {
        if (IsWellFormed())
            return false;
        if (!insertElement(0, 0, true, name, text))
            return false;
    } else if (!insertElement(parentPos_, currentPos_, currentPos_ == 0, name, text)) {
        return false;
    }
    currentPos_ = FreeCount() - 1;
    childPos_ = 0;
    return true;
}

bool XmlDocument::AddChildElement(std::string_view name, std::string_view text) {
    if (currentPos_ == 0 || !insertElement(currentPos_, childPos_, childPos_ == 0, name, text))
        return false;
    childPos_ = FreeCount() - 1;
    return true;
}

// Inserts the new element under parent after the element `after`, or, when
// last is set, as the last child (parent 0: the root, at the end of the text).
bool XmlDocument::insertElement(std::int32_t parent, std::int32_t after, bool last,
                                std::string_view name, std::string_view content) {
    if (!isPlainName(name))
        return false;
    const std::size_t escaped = content.empty() ? 0 : escapedLength(content);
    const std::size_t length = elementLength(name, escaped);
    const auto fits = [&](std::size_t added) {
        return added <= detail::kMaxTextSize && text_.size() <= detail::kMaxTextSize - added;
    };
    if (!fits(length))
        return false;

    const detail::Scanner scan(text_);
    std::int32_t lastChild = 0;
    if (last) {
        for (std::int32_t c = elements_[parent].FirstChild; c != 0; c = elements_[c].NextSibling)
            lastChild = c;
    }

    std::int32_t begin = 0; // where the new element's "<" ends up
    if (parent != 0 && last && elements_[parent].isEmptyTag()) {
        // Open the empty tag: "<P/>" becomes "<P>", CRLF, the element, "</P>".
        ElementSpan& owner = elements_[parent];
        const detail::TokenCursor ownerToken = scan.tagName(owner.StartTagBegin);
        const std::string ownerName(scan.slice(ownerToken.Left, ownerToken.length()));
        const std::int32_t slash = owner.EndTagBegin;
        // "<P//>" would read as an empty tag again after a plain ">".
        const std::string_view gap = scan.at(slash - 1) == '/' ? " >\r\n" : ">\r\n";
        const std::size_t replacement = gap.size() + length + 2 + ownerName.size();
        if (!fits(replacement))
            return false;
        text_.replace(static_cast<std::size_t>(slash), 1, replacement, '\0');
        char* out = put(text_.data() + slash, gap);
        out = writeElement(out, name, content);
        put(put(out, "</"), ownerName);

        const auto delta = static_cast<std::int32_t>(replacement) - 1;
        begin = slash + static_cast<std::int32_t>(gap.size());
        owner.StartTagEnd = slash + static_cast<std::int32_t>(gap.size()) - 3;
        owner.EndTagBegin = begin + static_cast<std::int32_t>(length);
        owner.EndTagEnd += delta;
        shiftFollowing(elements_, owner.Parent, owner.NextSibling, delta);
    } else {
        std::int32_t at = 0;
        std::string_view prefix;
        if (parent == 0) {
            at = scan.size();
        } else if (!last) {
            at = elements_[after].EndTagEnd + 1;
            // Keep the line break after the previous element before the new one.
            std::int32_t next = at;
            scan.skipSpace(next);
            if (next == scan.size() || scan.at(next) == '<')
                at = next;
        } else {
            at = elements_[parent].EndTagBegin;
            if (lastChild == 0 && scan.at(at - 1) != '\n')
                prefix = "\r\n"; // the first child of "<P></P>" goes on a line of its own
        }
        if (!fits(prefix.size() + length))
            return false;
        text_.insert(static_cast<std::size_t>(at), prefix.size() + length, '\0');
        writeElement(put(text_.data() + at, prefix), name, content);
        begin = at + static_cast<std::int32_t>(prefix.size());
        shiftFollowing(elements_, parent, last ? 0 : elements_[after].NextSibling,
                       static_cast<std::int32_t>(prefix.size() + length));
    }

    const auto nameLength = static_cast<std::int32_t>(name.size());
    ElementSpan span{begin, 0, 0, 0, parent, 0, 0};
    if (content.empty()) {
        span.StartTagEnd = begin + nameLength + 2;
        span.EndTagBegin = span.StartTagEnd - 1;
        span.EndTagEnd = span.StartTagEnd;
    } else {
        span.StartTagEnd = begin + nameLength + 1;
        span.EndTagEnd = begin + static_cast<std::int32_t>(length) - 3;
        span.EndTagBegin = span.EndTagEnd - nameLength - 2;
    }
    if (!last)
        span.NextSibling = elements_[after].NextSibling;
    const std::int32_t added = elements_.append(span);
    if (!last)
        elements_[after].NextSibling = added;
    else if (lastChild != 0)
        elements_[lastChild].NextSibling = added;
    else
        elements_[parent].FirstChild = added;
    return true;
}

} // namespace strumvale::xml
