#include "xml/xml_document.h"

#include "xml/xml_parser.h"

#include <utility>

namespace strumvale::xml {

XmlDocument::XmlDocument() {
    SetText();
}

XmlDocument::XmlDocument(XmlDocument&& other) : XmlDocument() {
    swap(other);
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) {
    if (this != &other) {
        XmlDocument taken(std::move(other));
        swap(taken);
    }
    return *this;
}

void XmlDocument::swap(XmlDocument& other) noexcept {
    text_.swap(other.text_);
    elements_.swap(other.elements_);
    std::swap(parentPos_, other.parentPos_);
    std::swap(currentPos_, other.currentPos_);
    std::swap(childPos_, other.childPos_);
    lastError_.swap(other.lastError_);
}

bool XmlDocument::SetText(std::string text) {
    text_ = std::move(text);
    parentPos_ = currentPos_ = childPos_ = 0;
    lastError_.clear();
    // One entry per 64 bytes covers typical documents in a single allocation.
    elements_.clearAndReserve(text_.size() / 64 + 8);
    elements_.append({});
    if (text_.empty())
        return false;
    if (text_.size() > detail::kMaxTextSize) {
        lastError_ = "Document too large";
        return false;
    }
    if (!detail::parseDocument(text_, elements_, lastError_)) {
        elements_.shrinkTo(1);
        elements_[0] = {};
        return false;
    }
    return true;
}

} // namespace strumvale::xml
