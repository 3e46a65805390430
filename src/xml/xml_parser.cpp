#include "xml/xml_parser.h"

#include "xml/xml_scanner.h"

#include <vector>

namespace strumvale::xml::detail {
namespace {

// Elements whose start tag has been read and whose children are being parsed.
// Kept on a heap stack rather than the call stack, so depth costs no recursion.
struct OpenElement {
    std::int32_t element;
    std::int32_t nameLeft;
    std::int32_t nameLength;
    std::int32_t lastChild;
};

constexpr std::int32_t kEndOfParent = 0;
constexpr std::int32_t kFailed = -1;

class Parser {
public:
    Parser(std::string_view text, ElementTable& elements, std::string& error)
        : scan_(text), elements_(elements), error_(error) {}

    bool run() {
        open_.reserve(32);
        for (;;) {
            const std::int32_t parent = open_.empty() ? 0 : open_.back().element;
            TokenCursor name;
            bool hasContent = false;
            std::int32_t element = startElement(parent, name, hasContent);
            if (element == kFailed)
                return false;
            if (element == kEndOfParent) {
                if (open_.empty())
                    return false; // an end tag where the root should start
                if (!endElement(open_.back()))
                    return false;
                element = open_.back().element;
                open_.pop_back();
            } else if (hasContent) {
                open_.push_back({element, name.Left, name.length(), 0});
                continue;
            }
            if (open_.empty()) {
                elements_[0].FirstChild = element;
                return true; // whatever follows the root is never looked at
            }
            OpenElement& owner = open_.back();
            if (owner.lastChild != 0)
                elements_[owner.lastChild].NextSibling = element;
            else
                elements_[owner.element].FirstChild = element;
            owner.lastChild = element;
            elements_[owner.element].EndTagBegin = elements_[element].EndTagEnd + 1;
        }
    }

private:
    std::int32_t fail(const char* message) {
        error_ = message;
        return kFailed;
    }

    bool failFor(const OpenElement& element, std::string_view message) {
        const auto at = message.find("%s");
        error_.assign(message.substr(0, at));
        error_.append(scan_.slice(element.nameLeft, element.nameLength));
        error_.append(message.substr(at + 2));
        return false;
    }

    // Reads up to the next start tag under parent, passing over declarations,
    // comments, CDATA and document type declarations. Returns the new entry,
    // kEndOfParent at the parent's end tag, or kFailed.
    std::int32_t startElement(std::int32_t parent, TokenCursor& name, bool& hasContent) {
        std::int32_t pos = elements_[parent].EndTagBegin;
        for (;;) {
            if (!scan_.findChar('<', pos))
                return fail("Element tag not found");
            elements_[parent].EndTagBegin = pos;
            const std::int32_t tagBegin = pos;
            name.Next = tagBegin + 1;
            if (!scan_.nextToken(name))
                return fail("Abrupt end within tag");
            if (name.Quoted)
                return fail("Tag starts with quote");
            const char first = scan_.at(name.Left);
            if (first == '?' || first == '!') {
                if (!skipNode(tagBegin, pos))
                    return fail("Invalid node");
                continue;
            }
            if (first == '/')
                return kEndOfParent;
            // From the name's last character, so that "<>" closes on itself.
            std::int32_t close = name.Right;
            if (!scan_.findChar('>', close))
                return fail("End of tag not found");
            if (open_.size() >= static_cast<std::size_t>(kMaxNestingDepth))
                return fail("Elements nested too deeply");
            hasContent = scan_.at(close - 1) != '/';
            ElementSpan& span = elements_.appendSlot();
            span.StartTagBegin = tagBegin;
            span.StartTagEnd = close;
            span.EndTagBegin = hasContent ? close + 1 : close - 1;
            span.EndTagEnd = hasContent ? 0 : close;
            span.Parent = parent;
            span.FirstChild = 0;
            span.NextSibling = 0;
            return static_cast<std::int32_t>(elements_.size() - 1);
        }
    }

    // Passes over the node whose "<" is at begin; after is left behind it.
    bool skipNode(std::int32_t begin, std::int32_t& after) const {
        if (scan_.size() - begin < 3)
            return false;
        const char second = scan_.at(begin + 1);
        const char third = scan_.at(begin + 2);
        std::string_view terminator;
        if (second == '?')
            terminator = "?>";
        else if (second == '!' && third == '-')
            terminator = "-->";
        else if (second == '!' && third == '[')
            terminator = "]]>";
        if (!terminator.empty()) {
            // Searching from the "<" itself lets "<?>" end at once.
            const std::int32_t end = scan_.find(terminator, begin);
            if (end < 0)
                return false;
            after = end + static_cast<std::int32_t>(terminator.size());
            return true;
        }
        // A document type declaration, with an internal subset in brackets.
        TokenCursor token;
        token.Next = begin + 1;
        int depth = 0;
        while (scan_.nextToken(token)) {
            if (token.Quoted)
                continue;
            const char c = scan_.at(token.Left);
            if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth == 0) {
                after = token.Next;
                return true;
            }
        }
        return false;
    }

    bool endElement(const OpenElement& open) {
        ElementSpan& span = elements_[open.element];
        std::int32_t pos = span.EndTagBegin;
        if (!scan_.findChar('<', pos))
            return failFor(open, "End tag of %s element not found");
        const std::string_view name = scan_.slice(open.nameLeft, open.nameLength);
        TokenCursor token;
        token.Next = pos + 1;
        int count = 0;
        int unquoted = 0;
        while (scan_.nextToken(token)) {
            ++count;
            if (token.Quoted)
                continue;
            ++unquoted;
            if (unquoted == 1 && !scan_.tokenIs(token, '/'))
                return failFor(open, "Expecting end tag of element %s");
            if (unquoted == 2 && !scan_.tokenMatches(token, name))
                return failFor(open, "End tag does not correspond to %s");
            if (scan_.at(token.Left) == '>') {
                if (count < 2)
                    break;
                span.EndTagEnd = token.Left;
                return true;
            }
        }
        return failFor(open, "End tag not completed for element %s");
    }

    Scanner scan_;
    ElementTable& elements_;
    std::string& error_;
    std::vector<OpenElement> open_;
};

} // namespace

bool parseDocument(std::string_view text, ElementTable& elements, std::string& error) {
    return Parser(text, elements, error).run();
}

} // namespace strumvale::xml::detail
