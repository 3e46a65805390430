#pragma once

#include "xml/span_table.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace strumvale::xml {

// Where one element lies in the document text. All offsets are byte offsets;
// indices refer to XmlDocument::Elements(), 0 meaning none.
struct ElementSpan {
    std::int32_t StartTagBegin; // the "<" of the start tag
    std::int32_t StartTagEnd;   // the ">" of the start tag
    std::int32_t EndTagBegin;   // the "<" of the end tag; the "/" of an empty tag
    std::int32_t EndTagEnd;     // the ">" of the end tag; StartTagEnd for an empty tag
    std::int32_t Parent;
    std::int32_t FirstChild;
    std::int32_t NextSibling;

    bool isEmptyTag() const { return StartTagEnd == EndTagBegin + 1; }
};

using ElementTable = detail::SpanTable<ElementSpan>;

// LoadFile and LoadArchive given exactly this name load the built-in table.
inline constexpr std::string_view kBuiltInName = "English (Built-in)";

// Elements nested deeper than this fail to parse.
inline constexpr int kMaxNestingDepth = 1000;

// A document kept as one Windows-1252 text plus a flat table of element
// positions into it, walked with a three-level cursor (parent, current, child).
// Attributes, namespaces and numeric character references are not interpreted.
// An empty name given to a search means "any element".
class XmlDocument {
public:
    XmlDocument();
    XmlDocument(const XmlDocument&) = default;
    XmlDocument& operator=(const XmlDocument&) = default;
    // Moving leaves an empty document behind, safe to go on using.
    XmlDocument(XmlDocument&& other);
    XmlDocument& operator=(XmlDocument&& other);
    ~XmlDocument() = default;

    // Replaces the text and parses it; true when it is well formed. A text that
    // fails to parse is kept, with no elements, and LastError() says why.
    bool SetText(std::string text = {});
    const std::string& GetText() const { return text_; }
    bool IsWellFormed() const { return elements_[0].FirstChild != 0; }

    // Finds the next sibling of the current element (the first child of the
    // parent when there is none) whose name matches, and stands on it.
    bool FindElement(std::string_view name = {});
    // Finds the next child of the current element after the current child and
    // makes it the current child; first stands on the root when on nothing.
    bool FindChildElement(std::string_view name = {});
    bool IntoElement();
    bool OutOfElement();
    // The text content of the current child: CDATA raw, otherwise with the five
    // predefined entities replaced; empty for an element with children.
    std::string GetChildData() const;

    // Both write one element per line in CRLF form, the text escaped; an empty
    // text gives an empty tag. False when the cursor allows no such element,
    // the name is not a plain name, or the text would outgrow 32-bit offsets.
    bool AddElement(std::string_view name, std::string_view text = {});
    bool AddChildElement(std::string_view name, std::string_view text = {});

    // Loading returns false and keeps the document when the file cannot be
    // opened or looks binary; a text that is not well formed still loads.
    bool LoadFile(const std::string& path);
    // Archive errors (container::CZipException, platform::FileError) propagate.
    bool LoadArchive(const std::string& path);
    bool LoadBuiltIn();
    // Replaces the file whole or not at all; raises platform::FileError.
    void SaveFile(const std::string& path) const;
    // Raises what container::WriteSingleEntry raises.
    void SaveArchive(const std::string& path, const std::string& entryName) const;

    // The entries in use; entry 0 is the document.
    std::span<const ElementSpan> Elements() const { return elements_.view(); }
    // Entries allocated; a text gets one per 64 bytes plus 8, growth is by half.
    std::size_t Capacity() const { return elements_.capacity(); }
    std::int32_t FreeCount() const { return static_cast<std::int32_t>(elements_.size()); }
    std::int32_t ParentPos() const { return parentPos_; }
    std::int32_t CurrentPos() const { return currentPos_; }
    std::int32_t ChildPos() const { return childPos_; }
    const std::string& LastError() const { return lastError_; }

private:
    bool findAfter(std::int32_t parent, std::int32_t after, std::string_view name,
                   std::int32_t& found) const;
    bool insertElement(std::int32_t parent, std::int32_t after, bool last, std::string_view name,
                       std::string_view content);
    bool loadBytes(std::string bytes);
    void swap(XmlDocument& other) noexcept;

    std::string text_;
    ElementTable elements_;
    std::int32_t parentPos_ = 0;
    std::int32_t currentPos_ = 0;
    std::int32_t childPos_ = 0;
    std::string lastError_;
};

} // namespace strumvale::xml
