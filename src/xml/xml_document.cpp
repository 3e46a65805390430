#include "xml/xml_document.h"

#include "xml/xml_parser.h"

namespace strumvale::xml {

XmlDocument::XmlDocument() {
    SetText();
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
